// The differential: seeded random frame lines go to the schema (ajv) and to `tolmin-frame check`, and their
// verdicts are compared.
//   node differential/run.js --checker PATH [--count N] [--seed S]
// Rules: every line the schema accepts, the checker accepts, unless the line holds one of the kinds in
// BEYOND_SCHEMA; for object-form lines without unknown keys or duplicates the checker rejects exactly what the
// schema rejects (same exceptions); and for each line both accept, the checker's decoded frame equals the line
// with the schema's defaults filled in. Exits 1 on any other difference.
import { spawnSync } from "node:child_process";
import { isDeepStrictEqual, parseArgs } from "node:util";
import { frameFault, frameSchema } from "../src/frame_check.js";
import { BEYOND_SCHEMA, decodedFrame, expectedFrame, schemaDefaults } from "./compare.js";
import { frameCase, random } from "./frames.js";
import { jsonText } from "./json_text.js";

const { values: opts } = parseArgs({
  options: { checker: { type: "string" }, count: { type: "string", default: "4000" }, seed: { type: "string", default: "11" } },
});
if (!opts.checker) {
  console.error("usage: node differential/run.js --checker PATH [--count N] [--seed S]");
  process.exit(2);
}

const defaults = schemaDefaults(frameSchema);
const r = random(Number(opts.seed));
const cases = Array.from({ length: Number(opts.count) }, () => {
  const { value, form, escapeKeys } = frameCase(r, defaults);
  const text = jsonText(value, escapeKeys);
  return { text, form, fault: frameFault(JSON.parse(text)) };
});

// One run of the checker for the whole batch: one output line per input line, numbered from 1.
const run = spawnSync(opts.checker, ["check"], { input: cases.map((c) => `${c.text}\n`).join(""), maxBuffer: 1 << 28 });
if (run.error || ![0, 1].includes(run.status)) {
  console.error(`checker failed: ${run.error ?? run.stderr.toString()}`);
  process.exit(1);
}
for (const line of run.stdout.toString().split("\n").filter(Boolean)) {
  const out = JSON.parse(line);
  Object.assign(cases[out.line - 1], "error" in out ? { error: out.error } : { frame: out.frame });
}

const counts = {};
const count = (key) => (counts[key] = (counts[key] ?? 0) + 1);
const problems = [];
for (const [i, c] of cases.entries()) {
  const schemaOk = c.fault === null;
  const checkerOk = "frame" in c;
  const beyond = schemaOk && !checkerOk && BEYOND_SCHEMA.find(([, test]) => test(c));
  const why = beyond ? ` (${beyond[0]})` : "";
  count(`${c.form}: schema ${schemaOk ? "accepts" : "rejects"}, checker ${checkerOk ? "accepts" : "rejects"}${why}`);
  const line = `line ${i + 1} (${c.form}) ${c.text.slice(0, 300)}\n  schema: ${c.fault ?? "accepts"}\n  checker: ${c.error ?? "accepts"}`;
  if (schemaOk && !checkerOk && !beyond) problems.push(`the checker rejects a line the schema accepts: ${line}`);
  if (c.form === "object" && !schemaOk && checkerOk) problems.push(`the checker accepts a line the schema rejects: ${line}`);
  if (c.form !== "object" && c.form !== "duplicate" && schemaOk) problems.push(`the schema accepts a form beyond it: ${line}`);
  if (schemaOk && checkerOk) {
    const expected = expectedFrame(defaults, JSON.parse(c.text));
    if (!isDeepStrictEqual(decodedFrame(c.frame), expected)) {
      problems.push(`decoded frame differs from the line with the schema's defaults: ${line}\n  expected ${JSON.stringify(expected)}\n  decoded  ${JSON.stringify(c.frame)}`);
    }
  }
}

console.log(`differential: ${cases.length} lines, seed ${opts.seed}`);
for (const key of Object.keys(counts).sort()) console.log(`  ${String(counts[key]).padStart(5)}  ${key}`);
if (problems.length) {
  console.log(`${problems.length} unexplained differences; the first ones:`);
  for (const p of problems.slice(0, 10)) console.log(p);
  process.exit(1);
}
console.log("no unexplained difference");
