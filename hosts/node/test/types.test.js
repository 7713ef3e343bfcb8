// The committed declarations are the ones the schema makes (`npm run types` writes them anew).
import assert from "node:assert/strict";
import { readFileSync } from "node:fs";
import { test } from "node:test";
import { OUTPUT, frameTypes } from "../tools/frame_types.js";

test("types/frame.d.ts is made from the current schema", () => {
  assert.equal(readFileSync(OUTPUT, "utf8"), frameTypes(), "run `npm run types` after changing the schema");
});
