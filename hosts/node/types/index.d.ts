// The API of tolmin-overlay-host. The frame's own types are made from the schema (./frame.d.ts).
import type { Frame, Toast } from "./frame.js";

export type * from "./frame.js";

/** How the helper is started: `exe` directly, or through `launcher` (e.g. "/usr/lib/wine/wine64" on Linux). */
export interface LaunchOptions {
  exe: string;
  launcher?: string | string[];
  /** The helper's environment; this process's by default. */
  env?: Record<string, string | undefined>;
}

export interface StartOptions extends LaunchOptions {
  /** Passed as `--fonts` exactly as given (under Wine, a relative path or a Z:\ path). */
  fonts?: string;
}

export interface ModeOptions extends LaunchOptions {
  /** Kills the helper after this long; 60000 by default. */
  timeoutMs?: number;
}

/** What send() did with a frame: written to the pipe now, or waiting for it in place of an older frame. */
export type SendResult = "written" | "waiting";

export declare class Overlay {
  /** Resolves with the exit status (null when a signal ended it); rejects when the helper could not start. */
  readonly exit: Promise<number | null>;
  readonly pid: number | undefined;
  /** True until the input is closed or the helper has ended. */
  readonly running: boolean;
  /** Frames replaced by a newer one while the pipe was full, never written. */
  readonly replaced: number;
  /** Checks the frame against the schema (throws FrameError) and writes it as one compact line; never waits. */
  send(frame: Frame): SendResult;
  /** The diagnostic lines from now until the exit, without the "tolmin-overlay: " prefix. */
  diagnostics(): AsyncIterableIterator<string>;
  /** Ends the helper's input (after a frame still waiting); resolves with its exit status. */
  close(): Promise<number | null>;
  /** Ends the helper at once. */
  kill(signal?: string): Promise<number | null>;
  on(event: "diagnostic", listener: (text: string) => void): this;
  on(event: "exit", listener: (code: number | null, signal: string | null) => void): this;
  once(event: "diagnostic", listener: (text: string) => void): this;
  once(event: "exit", listener: (code: number | null, signal: string | null) => void): this;
  off(event: "diagnostic" | "exit", listener: (...args: any[]) => void): this;
}

export declare function startOverlay(options: StartOptions): Overlay;

export interface ProbeMonitor {
  name: string | null;
  width: number;
  height: number;
  scale_factor: number;
  primary: boolean;
}

export interface ProbeReport {
  backend: "win32";
  layer_shell: false;
  exclude_from_capture: boolean;
  monitors: ProbeMonitor[];
  /** The helper's warnings during the probe, without the prefix (not part of the JSON). */
  readonly diagnostics: string[];
}

export declare function probe(options: ModeOptions & { fonts?: string }): Promise<ProbeReport>;
export declare function version(options: ModeOptions): Promise<string>;

/** A frame the helper would reject, refused before it is written. */
export declare class FrameError extends TypeError {}
/** Null when the frame fits the schema, else the schema's message for its first fault. */
export declare function frameFault(frame: unknown): string | null;
/** The frame as one compact JSON line with its line feed; throws FrameError for a frame the helper would refuse. */
export declare function frameLine(frame: Frame): string;
export declare const frameSchema: object;
export declare const MAX_LINE_BYTES: 1048576;

/** The clock of a toast's born and dies: milliseconds since 1970-01-01 00:00 UTC. */
export declare function wallMs(): number;
/** A toast that shows from `now` for `lifetimeMs` milliseconds. */
export declare function toastFor<T extends Omit<Toast, "born" | "dies">>(
  lifetimeMs: number,
  fields?: T,
  now?: number,
): T & { born: number; dies: number };
/** Whether a toast is still to be shown at `now`. */
export declare function alive(toast: Toast, now?: number): boolean;
