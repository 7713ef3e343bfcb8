// A host's own script in an empty project that installed the packed tarball: everything comes by the package's
// name. Checks a frame against the exported schema, then runs a helper (the tests' fake one) through the library.
//     node consumer.mjs HELPER RECORD_FILE
import assert from "node:assert/strict";
import { readFileSync } from "node:fs";
import { createRequire } from "node:module";
import Ajv2020 from "ajv/dist/2020.js";
import { FrameError, frameSchema, startOverlay } from "tolmin-overlay-host";

const schema = createRequire(import.meta.url)("tolmin-overlay-host/schema.json");
assert.deepEqual(schema, frameSchema, "the library checks frames against the schema it exports");
const validate = new Ajv2020({ allowUnionTypes: true }).compile(schema);
const frame = { hud: { state: "LIVE", elapsed: "00:42" }, alerts: [{ id: "a1", title: "Disk almost full" }] };
assert.ok(validate(frame), JSON.stringify(validate.errors));
assert.ok(!validate({ anchor: "top-center" }));

const [helper, record] = process.argv.slice(2);
const overlay = startOverlay({ exe: helper, launcher: process.execPath, env: { ...process.env, FAKE_RECORD: record } });
assert.throws(() => overlay.send({ anchor: "top-center" }), FrameError);
overlay.send(frame);
assert.equal(await overlay.close(), 0);
assert.equal(readFileSync(record, "utf8"), `${JSON.stringify(frame)}\n`);
console.log("consumer: ok");
