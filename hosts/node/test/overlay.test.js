// The library against a fake helper: whole lines, back-pressure with newest-wins, refusals, diagnostics, exit.
import assert from "node:assert/strict";
import { mkdtempSync, readFileSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { test } from "node:test";
import { fileURLToPath } from "node:url";
import { FrameError, probe, startOverlay, version } from "../src/index.js";

const launch = { exe: fileURLToPath(new URL("../fixtures/fake_helper.js", import.meta.url)), launcher: process.execPath };

/** A fake helper that records its input; with hold, it reads nothing until go() is called. Killed after test t. */
function fake(t, { hold = false, ...env } = {}) {
  const dir = mkdtempSync(join(tmpdir(), "tolmin-host-"));
  const vars = { FAKE_RECORD: join(dir, "input"), ...(hold ? { FAKE_GO: join(dir, "go") } : {}), ...env };
  const overlay = startOverlay({ ...launch, env: { ...process.env, ...vars } });
  t.after(() => overlay.kill("SIGKILL"));
  return {
    overlay,
    go: () => writeFileSync(vars.FAKE_GO, ""),
    lines: () => readFileSync(vars.FAKE_RECORD, "utf8").split(/(?<=\n)/),
  };
}

const frame = (n, text = "") => ({ hud: { state: `#${n}`, elapsed: text }, toasts: [{ id: `t${n}`, count: n }] });
const asLines = (frames) => frames.map((f) => `${JSON.stringify(f)}\n`);

test("every frame arrives as one compact line, in order", async (t) => {
  const { overlay, lines } = fake(t);
  const frames = Array.from({ length: 100 }, (_, n) => frame(n, n % 3 ? "Ärger 😀" : "two\nlines\u2028"));
  for (const f of frames) assert.equal(overlay.send(f), "written");
  assert.equal(await overlay.close(), 0);
  assert.deepEqual(lines(), asLines(frames));
});

test("a full pipe holds one waiting frame, which the newest replaces", async (t) => {
  const { overlay, go, lines } = fake(t, { hold: true });
  const frames = Array.from({ length: 3000 }, (_, n) => frame(n, "x".repeat(4000)));
  const results = frames.map((f) => overlay.send(f));
  const written = results.indexOf("waiting");
  assert.ok(written > 0 && written < frames.length / 2, `${written} of 12 MB of frames went to the pipe`);
  assert.ok(results.slice(written).every((r) => r === "waiting"));
  assert.equal(overlay.replaced, frames.length - written - 1);
  go();
  assert.equal(await overlay.close(), 0);
  assert.deepEqual(lines(), asLines([...frames.slice(0, written), frames.at(-1)]));
});

test("a frame the schema refuses is never written", async (t) => {
  const { overlay, lines } = fake(t);
  assert.throws(() => overlay.send({ toasts: [{ index: 3 }] }),
    new FrameError("frame/toasts/0/index must be string,null"));
  assert.throws(() => overlay.send({ night: { title: "\ud800" } }), FrameError);
  assert.throws(() => overlay.send({ night: { title: "x".repeat(1 << 20) } }), /over the helper's 1 MiB/);
  overlay.send(frame(1));
  await overlay.close();
  assert.deepEqual(lines(), asLines([frame(1)]));
});

test("diagnostics come without the prefix, as events and as an iterator that ends at the exit", async (t) => {
  const { overlay } = fake(t);
  const events = [];
  overlay.on("diagnostic", (text) => events.push(text));
  const iterated = (async () => { const all = []; for await (const t of overlay.diagnostics()) all.push(t); return all; })();
  overlay.close();
  const expected = ["fake started", "err: a line of the launcher's own", "input ended"];
  assert.deepEqual(await iterated, expected);
  assert.deepEqual(events, expected);
});

test("close resolves with the exit status; afterwards send throws", async (t) => {
  const { overlay } = fake(t, { FAKE_EXIT: "3" });
  const exited = new Promise((resolve) => overlay.once("exit", (...args) => resolve(args)));
  assert.equal(await overlay.close(), 3);
  assert.deepEqual(await exited, [3, null]);
  assert.throws(() => overlay.send(frame(1)), /not running/);
});

test("a helper that ends by itself: sends meet a closed pipe without harm, exit gives its status", async (t) => {
  const { overlay } = fake(t, { FAKE_EXIT_EARLY: "1" });
  while (overlay.running) {
    overlay.send(frame(0, "y".repeat(20000)));
    await new Promise((resolve) => setImmediate(resolve));
  }
  assert.equal(await overlay.exit, 1);
});

test("probe and version run the helper's other two modes", async () => {
  assert.equal(await version(launch), "tolmin-overlay 0.1.0");
  const report = await probe(launch);
  assert.deepEqual(report.monitors.map((m) => [m.name, m.width, m.primary]), [["\\\\.\\DISPLAY1", 1920, true]]);
  assert.deepEqual(report.diagnostics, ["the overlay's own faces did not load; text will fall back"]);
});
