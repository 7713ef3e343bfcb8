// The package as a host developer gets it: `npm pack` here, `npm install <tarball>` into an empty project, and
// there consumer.mjs and examples/host_scene.mjs, which import it by its name, run against the fake helper.
// Needs the npm registry (the package's own dependencies are installed from it).
//     node --test hosts/node/release/installed_package.mjs
import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import { copyFileSync, mkdirSync, mkdtempSync, readFileSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { before, test } from "node:test";
import { fileURLToPath } from "node:url";
import Ajv2020 from "ajv/dist/2020.js";

const path = (relative) => fileURLToPath(new URL(relative, import.meta.url));
const HELPER = path("../fixtures/fake_helper.js");
const run = (program, args, cwd, env = process.env) =>
  execFileSync(program, args, { cwd, env, encoding: "utf8", shell: process.platform === "win32" });

const work = mkdtempSync(join(tmpdir(), "tolmin-pack-"));
const project = join(work, "project");
let packed;

before(() => {
  [packed] = JSON.parse(run("npm", ["pack", "--json", "--pack-destination", work], path("..")));
  mkdirSync(project);
  writeFileSync(join(project, "package.json"), JSON.stringify({ name: "a-host", private: true, type: "module" }));
  run("npm", ["install", "--no-audit", "--no-fund", join(work, packed.filename)], project);
});

test("the tarball holds the library, its declarations, the schema and the licence, and nothing else", () => {
  const files = packed.files.map((f) => f.path).sort();
  assert.deepEqual(files.filter((f) => !/^(src\/\w+\.js|types\/\w+\.d\.ts)$/.test(f)),
    ["LICENSE", "frame.schema.json", "package.json"]);
  assert.equal(readFileSync(join(project, "node_modules/tolmin-overlay-host/LICENSE"), "utf8"),
    readFileSync(path("../../../LICENSE"), "utf8"));
});

test("a script in the project imports it by name, checks a frame with ./schema.json and runs a helper", () => {
  copyFileSync(path("consumer.mjs"), join(project, "consumer.mjs"));
  const out = run(process.execPath, ["consumer.mjs", HELPER, join(work, "consumer-input")], project);
  assert.equal(out, "consumer: ok\n");
});

test("examples/host_scene.mjs plays its whole scene through the installed package", () => {
  copyFileSync(path("../../../examples/host_scene.mjs"), join(project, "host_scene.mjs"));
  const record = join(work, "scene-input");
  const out = run(process.execPath, ["host_scene.mjs", "--launcher", process.execPath, HELPER], project,
    { ...process.env, FAKE_RECORD: record });
  assert.match(out, /moment: three-toasts\n[^]*overlay exit status: 0\n$/);
  const validate = new Ajv2020({ allowUnionTypes: true }).compile(JSON.parse(readFileSync(path("../frame.schema.json"))));
  const lines = readFileSync(record, "utf8").trimEnd().split("\n");
  assert.ok(lines.length > 15, `${lines.length} frames`);
  for (const line of lines) assert.ok(validate(JSON.parse(line)), line);
});
