// How the helper is started: directly, or through a launcher such as Wine on Linux.
import { spawn } from "node:child_process";
import { once } from "node:events";
import { setTimeout as delay } from "node:timers/promises";

export const PREFIX = "tolmin-overlay: ";

/** `text` without the helper's diagnostic prefix (other lines, e.g. a launcher's own, stay as they are). */
export function stripPrefix(text) {
  return text.startsWith(PREFIX) ? text.slice(PREFIX.length) : text;
}

/**
 * Spawns `exe` with `args`; `launcher` is a program path or an argument list put before the exe
 * (e.g. "/usr/lib/wine/wine64"). `env` defaults to this process's environment.
 */
export function spawnHelper({ exe, launcher, env }, args, stdio) {
  if (typeof exe !== "string" || exe === "") throw new TypeError("exe: the path of tolmin-overlay.exe is needed");
  const before = launcher === undefined || launcher === null ? [] : [launcher].flat();
  const [program, ...rest] = [...before, exe, ...args];
  return spawn(program, rest, { stdio, env: env ?? process.env, windowsHide: true });
}

/** The fonts option as the command line takes it. */
export function fontsArgs(fonts) {
  return fonts === undefined || fonts === null ? [] : ["--fonts", String(fonts)];
}

// After the process has gone, how long its last output may take to arrive: under Wine the pipes end about a
// second after the process, and much later when a Wine service started by it holds them.
const OUTPUT_GRACE_MS = 1500;

/** Resolves with [code, signal] once the process has exited and its output pipes ended (or the grace passed). */
export function settled(child) {
  const ended = [child.stdout, child.stderr].filter(Boolean).map((s) => once(s, "end").catch(() => {}));
  return new Promise((resolve, reject) => {
    child.once("error", reject);
    child.once("exit", (code, signal) => {
      Promise.race([Promise.all(ended), delay(OUTPUT_GRACE_MS)]).then(() => resolve([code, signal]));
    });
  });
}
