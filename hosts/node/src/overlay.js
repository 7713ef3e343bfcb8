// A running overlay: frames in as whole lines (newest wins when the pipe is full), diagnostics and the exit out.
import { EventEmitter, on } from "node:events";
import { createInterface } from "node:readline";
import { frameLine } from "./frame_check.js";
import { fontsArgs, settled, spawnHelper, stripPrefix } from "./launch.js";
import { LineWriter } from "./line_writer.js";

export class Overlay extends EventEmitter {
  #child;
  #writer;
  #running = true;
  #exited = false;

  /** Resolves with the exit status (null when a signal ended it); rejects when the helper could not start. */
  exit;

  constructor(child) {
    super();
    this.#child = child;
    this.#writer = new LineWriter(child.stdin);
    // A helper that ended mid-write leaves a broken pipe; its exit says what happened.
    child.stdin.on("error", () => {});
    const lines = createInterface({ input: child.stderr, crlfDelay: Infinity });
    lines.on("line", (line) => this.emit("diagnostic", stripPrefix(line)));
    this.exit = settled(child).then(
      ([code, signal]) => {
        lines.close();
        this.#exited = true;
        this.emit("exit", code, signal);
        return code;
      },
      (error) => {
        this.#running = false;
        throw error;
      },
    );
    child.once("exit", () => {
      this.#running = false;
    });
    this.exit.catch(() => {}); // a helper that could not start is reported to whoever awaits exit or close()
  }

  get pid() {
    return this.#child.pid;
  }

  /** True until the input is closed or the helper has ended. */
  get running() {
    return this.#running;
  }

  /** Frames replaced by a newer one while the pipe was full, never written. */
  get replaced() {
    return this.#writer.replaced;
  }

  /**
   * Checks the frame against the schema (FrameError when it does not fit) and writes it as one compact line.
   * Never waits: "written" when it went to the pipe, "waiting" when it waits there in place of an older frame.
   */
  send(frame) {
    const line = frameLine(frame);
    if (!this.#running) throw new Error("tolmin-overlay is not running");
    return this.#writer.write(line);
  }

  /** The diagnostic lines from now until the exit, without the "tolmin-overlay: " prefix. */
  diagnostics() {
    const events = this.#exited ? [] : on(this, "diagnostic", { close: ["exit"] }); // listens from this call on
    return (async function* texts() {
      for await (const [text] of events) yield text;
    })();
  }

  /** Ends the helper's input (after the frame still waiting, if any); resolves with its exit status. */
  close() {
    this.#running = false;
    this.#writer.end();
    return this.exit;
  }

  /** Ends the helper at once. */
  kill(signal = "SIGTERM") {
    this.#running = false;
    this.#child.kill(signal);
    return this.exit;
  }
}

/**
 * Starts tolmin-overlay with its input held open. `launcher` runs the exe (e.g. "/usr/lib/wine/wine64" on
 * Linux); `fonts` is passed as `--fonts` exactly as given (under Wine, a relative path or a Z:\ path).
 */
export function startOverlay({ exe, fonts, launcher, env } = {}) {
  return new Overlay(spawnHelper({ exe, launcher, env }, fontsArgs(fonts), ["pipe", "ignore", "pipe"]));
}
