#!/usr/bin/env node
// A host for tolmin-overlay in Node, the twin of host_scene.py: starts the helper through the host library
// (the tolmin-overlay-host package, hosts/node), plays a short scene on it, and ends it.
//
//     Windows:  node examples\host_scene.mjs tolmin-overlay.exe --fonts fonts
//     Linux:    node examples/host_scene.mjs path/to/tolmin-overlay --fonts build/fonts   (the native X11 build)
//     Wine:     node examples/host_scene.mjs --launcher /usr/lib/wine/wine64 --lead-in 6 \
//                   path/to/tolmin-overlay.exe --fonts build/fonts
//
// (run `npm install` here in examples/ once first; in a project of your own, `npm install` the package's
// tarball). What the library does for the host:
//   * it starts the helper with its input as a pipe; close() ends that input, the helper's cue to exit;
//   * send() checks each frame against the frame schema and writes it as one compact line; a frame the
//     helper would reject throws a FrameError here instead. It never waits: when the pipe is full, the newest
//     frame waits in place of an older one, the same newest-wins rule the helper keeps;
//   * the helper's diagnostics arrive as "diagnostic" events without their "tolmin-overlay: " prefix.
// Every frame is the whole picture (a key left out takes its default), so the host keeps its own scene state and
// sends all of it whenever anything changes. Toasts carry their own born and dies times; the helper fades them.
// Key moments are announced on standard output as "moment: <name>", as host_scene.py does.
import { parseArgs } from "node:util";
import { setTimeout as sleep } from "node:timers/promises";
import { alive, startOverlay, toastFor, wallMs } from "tolmin-overlay-host";

// Colours of the overlay's palette that this scene uses ("#RRGGBB"; anything else falls back to a default).
const LIME = "#C8FF00";
const SIGNAL = "#FF2E55";
const AMBER = "#FFB020";
const SKY = "#3399FF";

const SCENE_SECONDS = 15.5;

/** The host's own state; frame() turns all of it into one render model. */
class Scene {
  state = "CONNECTING";
  stateColor = AMBER;
  dot = AMBER;
  presence = null; // null: no presence text at all (a narrower Hud)
  night = null;
  alerts = [];
  toasts = [];

  constructor(startMs) {
    this.startMs = startMs;
  }

  elapsedText(nowMs) {
    const seconds = Math.floor((nowMs - this.startMs) / 1000);
    return `${String(Math.floor(seconds / 60)).padStart(2, "0")}:${String(seconds % 60).padStart(2, "0")}`;
  }

  frame(nowMs) {
    const hud = { dot: this.dot, state: this.state, state_color: this.stateColor, elapsed: this.elapsedText(nowMs) };
    if (this.presence !== null) hud.presence = this.presence;
    // A host may keep toasts after they died (the helper skips them); dropping them keeps lines short.
    const frame = { v: 1, anchor: "bottom-right", hud, alerts: this.alerts, toasts: this.toasts.filter((t) => alive(t, nowMs)) };
    if (this.night !== null) frame.night = this.night;
    return frame;
  }
}

// The timeline: [seconds after the start, what changes, the moment announced afterwards or null].
const TIMELINE = [
  [0.0, null, "starting"],
  [1.0, (s) => Object.assign(s, { state: "LIVE", stateColor: LIME, dot: LIME, presence: "2 here" }), "hud"],
  [2.5, (s) => (s.night = { tag: "NIGHT", title: "Quiet hours until 07:00" }), "night"],
  [4.0, (s) => s.alerts.push({ id: "disk", bar: SIGNAL, title: "Disk almost full", detail: "C: 97 %" }), null],
  [4.8, (s) => s.alerts.push({ id: "battery", bar: AMBER, title: "Battery low", title_color: AMBER,
    detail: "12 % \u00b7 40 min" }), "alerts"],
  // A marker: tick bar, title, count label (a number shows as "×3"), time, and a second line of detail.
  [6.0, (s, now) => s.toasts.push(toastFor(6000, { id: "marker-1", kind: "marker", tick: SKY, title: "Marker set",
    count: 3, time: "12:04", detail: "Round two, left side" }, now)), "marker-toast"],
  // A caller: a lime card with a big index, the title and a time.
  [7.3, (s, now) => s.toasts.push(toastFor(6500, { id: "call-1", kind: "caller", index: "1", title: "Ana is calling",
    time: "now" }, now)), "caller-toast"],
  // The same caller again: a dark card with a lime edge, the index, the title and a detail on the right.
  [8.6, (s, now) => s.toasts.push(toastFor(5400, { id: "call-2", kind: "same", index: "2", title: "Ana again",
    detail: "2nd call" }, now)), "three-toasts"],
  [11.0, (s) => (s.alerts = s.alerts.filter((a) => a.id !== "disk")), null],
  [12.2, null, "marker-left"], // the marker faded out and went at 12 s, with no frame from the host
  [14.3, (s) => Object.assign(s, { state: "STANDBY", stateColor: SIGNAL, dot: SIGNAL, presence: null, night: null }),
    "toasts-gone"],
  [SCENE_SECONDS, null, null], // the end: the input is closed and the helper exits
];

async function play(overlay, leadInSeconds) {
  const scene = new Scene(wallMs());
  overlay.send(scene.frame(wallMs())); // "CONNECTING" while the helper starts up
  await sleep(leadInSeconds * 1000);
  const start = wallMs();
  scene.startMs = start;
  const pending = [...TIMELINE];
  let lastElapsed = null;
  while (pending.length && overlay.running) {
    const now = wallMs();
    let changed = false;
    const announcements = [];
    while (pending.length && now >= start + pending[0][0] * 1000) {
      const [, change, moment] = pending.shift();
      if (change) {
        change(scene, now);
        changed = true;
      }
      if (moment) announcements.push(moment);
    }
    const elapsed = scene.elapsedText(now);
    if (changed || elapsed !== lastElapsed) { // the Hud's clock ticks once a second
      overlay.send(scene.frame(now));
      lastElapsed = elapsed;
    }
    if (announcements.length) {
      await sleep(350); // let the helper draw the frame and a fresh toast finish its 120 ms fade-in
      for (const moment of announcements) console.log(`moment: ${moment}`);
    }
    await sleep(50);
  }
}

const { values: opts, positionals } = parseArgs({
  allowPositionals: true,
  options: { fonts: { type: "string" }, launcher: { type: "string", default: "" }, "lead-in": { type: "string", default: "0" } },
});
if (positionals.length !== 1) {
  console.error("usage: node examples/host_scene.mjs [--launcher PROGRAM] [--lead-in SECONDS] OVERLAY_EXE [--fonts DIR]");
  process.exit(2);
}
const launcher = opts.launcher.split(/\s+/).filter(Boolean);
const overlay = startOverlay({ exe: positionals[0], fonts: opts.fonts, launcher });
overlay.on("diagnostic", (text) => console.error(`overlay: ${text}`));
process.stdout.on("error", () => {}); // whoever read our output has gone; the scene itself goes on
await play(overlay, Number(opts["lead-in"]));
if (!overlay.running) {
  console.error("host_scene: the overlay ended before the scene did");
  process.exit((await overlay.exit) || 1);
}
const status = await overlay.close();
console.log(`overlay exit status: ${status}`);
process.exit(status ?? 1);
