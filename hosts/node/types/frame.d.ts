// Made by tools/frame_types.js from frame.schema.json; do not edit by hand.

/**
 * A colour as "#RRGGBB" (hexadecimal digits of either case). Any other text, or null, is not a fault: the field's default colour is drawn instead.
 * @default null
 */
export type Colour = string | null;

/**
 * The monitor corner at which the blocks are stacked. Also accepted: an object whose one key is the corner's name and whose value is null; write the string.
 * @default "bottom-right"
 */
export type Anchor = "top-left" | "top-right" | "bottom-left" | "bottom-right";

/**
 * What kind of toast this is: "marker", "caller" or "same". Any other text is no fault; such a toast is not shown. Also accepted: an object whose one key is the kind and whose value is null; write the string.
 * @default "marker"
 */
export type ToastKind = "marker" | "caller" | "same" | (string & {});

/**
 * The status block: a coloured dot, the state text, the elapsed time and an optional presence text.
 */
export interface Hud {
  /**
   * Colour of the status dot; falls back to #FF2E55.
   */
  dot?: Colour;
  /**
   * The state text.
   * @default ""
   */
  state?: string;
  /**
   * Colour of the state text; falls back to #FF2E55.
   */
  state_color?: Colour;
  /**
   * The elapsed-time text.
   * @default ""
   */
  elapsed?: string;
  /**
   * The presence text; when present, even empty, the block is wider.
   * @default null
   */
  presence?: string | null;
}

/**
 * The night banner.
 */
export interface Night {
  /**
   * A short tag shown beside the title.
   * @default null
   */
  tag?: string | null;
  /**
   * The banner title.
   * @default ""
   */
  title?: string;
}

/**
 * One alert row: a coloured bar, a title and an optional detail line.
 */
export interface Alert {
  /**
   * The host's identifier of the alert.
   * @default ""
   */
  id?: string;
  /**
   * Colour of the bar; falls back to #FF2E55.
   */
  bar?: Colour;
  /**
   * First line.
   * @default ""
   */
  title?: string;
  /**
   * Colour of the title; falls back to #F2F2F5.
   */
  title_color?: Colour;
  /**
   * Second line.
   * @default null
   */
  detail?: string | null;
  /**
   * Colour of the detail; falls back to #C9C9D2.
   */
  detail_color?: Colour;
}

/**
 * One toast row. It fades in for 120 ms from born, fades out over the 180 ms before dies and is gone from dies on; the helper animates it without further lines. The four colours apply to marker toasts only.
 */
export interface Toast {
  /**
   * The host's identifier of the toast.
   * @default ""
   */
  id?: string;
  kind?: ToastKind;
  /**
   * Wall-clock time at which the toast begins to show, in milliseconds since 1970-01-01 00:00 UTC.
   * @default 0
   */
  born?: number;
  /**
   * Wall-clock time, in milliseconds since 1970-01-01 00:00 UTC, at which the toast is gone.
   * @default 0
   */
  dies?: number;
  /**
   * Colour of the tick bar; falls back to #8B8B96.
   */
  tick?: Colour;
  /**
   * First line.
   * @default ""
   */
  title?: string;
  /**
   * Colour of the title; falls back to #F2F2F5.
   */
  title_color?: Colour;
  /**
   * A count label on marker toasts: a number shows as "×" and the number rounded (3 gives "×3"), a string shows as it is.
   * @default null
   */
  count?: string | number | null;
  /**
   * A time text.
   * @default null
   */
  time?: string | null;
  /**
   * Colour of the time text; falls back to #C8FF00.
   */
  time_color?: Colour;
  /**
   * Second line.
   * @default null
   */
  detail?: string | null;
  /**
   * Colour of the detail; falls back to #8B8B96.
   */
  detail_color?: Colour;
  /**
   * A short text drawn large before the title of caller and same toasts, e.g. "1" (a string, not a number).
   * @default null
   */
  index?: string | null;
}

/**
 * One render model (a frame) for tolmin-overlay, model version 1: the whole picture at one moment, written by the host as one line of compact JSON on the helper's standard input. Every line stands alone: a key left out takes its default, never the previous line's value. This schema describes what a host should write: records as objects with known keys only.
 *
 * The helper accepts more than this schema: keys it does not know are skipped (with their values, which need only be well-formed JSON); a record (frame, hud, night, alert, toast) may also be written as an array of its field values in the order of its properties here.
 *
 * What no schema can say, and the helper still rejects: (1) a line over 1 MiB (1,048,576 bytes with its line feed) is discarded; (2) a key written twice in one record is a fault ("duplicate field"), where a parsed JSON value keeps only one of them; (3) an integer written with a fraction or an exponent (`1.0` or `1e0` for `v`) is a fault, while JSON Schema counts the value 1 as an integer; (4) a string holding a lone UTF-16 surrogate escape (`\ud800` without its pair) is a fault; (5) more than 127 arrays and objects open at once, counting the frame's own object, is a fault ("recursion limit exceeded"); no value this schema accepts comes near that depth. A number beyond the double range (`1e400`) is a fault too; validators that read it as infinity reject it as not a number.
 */
export interface Frame {
  /**
   * Model version. This helper draws version 1 and rejects any other ("render model v2 (this helper draws v1)").
   * @default 1
   */
  v?: 1;
  anchor?: Anchor;
  /**
   * Distance of the blocks from both monitor edges that meet at the anchor corner, in device-independent pixels before scaling.
   * @default 24
   */
  offset?: number;
  /**
   * The host's factor, multiplied into the automatic scale (quarter steps from the monitor height, 1 to 2, times the DPI factor).
   * @default 1
   */
  scale?: number;
  /**
   * The monitor's device name as the system names it, e.g. \\.\DISPLAY2; null, or a name that matches no monitor, selects the primary monitor.
   * @default null
   */
  monitor?: string | null;
  /**
   * The status block; null means none.
   * @default null
   */
  hud?: Hud | null;
  /**
   * The night banner; null means none.
   * @default null
   */
  night?: Night | null;
  /**
   * Alert rows, in order; the first four are shown.
   * @default []
   */
  alerts?: Alert[];
  /**
   * Toast rows, in order; the first three live ones are shown.
   * @default []
   */
  toasts?: Toast[];
}
