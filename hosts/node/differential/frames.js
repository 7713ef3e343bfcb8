// Seeded random frame lines for the differential: valid frames built from the render model's field types,
// the edge values of every type, wrong values, and the forms the helper accepts beyond the schema.
// The field tables are the render model's own, written out here rather than read from the schema, so that a
// wrong type in the schema shows up as a difference instead of being copied into the generator.
import { Obj, raw } from "./json_text.js";

export const RECORDS = {
  frame: { v: "v", anchor: "anchor", offset: "f64", scale: "f64", monitor: "optText", hud: "hud", night: "night",
    alerts: "alerts", toasts: "toasts" },
  hud: { dot: "colour", state: "text", state_color: "colour", elapsed: "text", presence: "optText" },
  night: { tag: "optText", title: "text" },
  alert: { id: "text", bar: "colour", title: "text", title_color: "colour", detail: "optText", detail_color: "colour" },
  toast: { id: "text", kind: "kind", born: "f64", dies: "f64", tick: "colour", title: "text", title_color: "colour",
    count: "count", time: "optText", time_color: "colour", detail: "optText", detail_color: "colour", index: "optText" },
};

/** mulberry32: a small seeded generator, enough for picking cases reproducibly. */
export function random(seed) {
  let a = seed >>> 0;
  const next = () => {
    a = (a + 0x6d2b79f5) >>> 0;
    let t = a;
    t = Math.imul(t ^ (t >>> 15), t | 1);
    t ^= t + Math.imul(t ^ (t >>> 7), t | 61);
    return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
  };
  const int = (n) => Math.floor(next() * n);
  return { chance: (p) => next() < p, int, pick: (list) => list[int(list.length)] };
}

const nested = (depth, leaf) => (depth === 0 ? leaf : [nested(depth - 1, leaf)]);
const TEXTS = ["", "x", "LIVE", "Ärger 😀", "tab\tline\nfeed\r", "nul\u0000", 'quote" back\\ slash', "\u2028\u00a0",
  " \t ", "#".repeat(300)];
const NOT_TEXT = [3, -0.5, true, false, [], new Obj(), raw("1e400")];
const LONE_SURROGATES = ["\ud800", "a\udc00b", "\udbff"];

const VALID = {
  v: [1, raw("1")],
  f64: [0, raw("-0"), 24, 1.5, -7.25, raw("1e3"), raw("1E-3"), raw("2.50"), 1.7976931348623157e308, 5e-324,
    raw("-1.7976931348623158e308"), raw("2e-324"), raw("3e-324"), raw("0.1e-999999999999"),
    raw("1e00000000000000000000000000000001"), raw("123456789012345678901234567890e-10"),
    raw("18446744073709551616"), raw("-9223372036854775809"), raw("1e-400"), 1796544000000],
  text: TEXTS,
  optText: [...TEXTS, null],
  colour: ["#C8FF00", "#ff2e55", "#+12345", "red", "", null],
  anchor: ["top-left", "top-right", "bottom-left", "bottom-right", Obj.of({ "top-left": null }),
    Obj.of({ "bottom-right": null })],
  kind: ["marker", "caller", "same", "bogus", "", "MARKER", Obj.of({ marker: null }), Obj.of({ bogus: null })],
  count: [3, 2.5, -0.5, 0, raw("1e308"), raw("-0"), "x12", "", null],
};

const INVALID = {
  v: [0, 2, 4294967295, raw("4294967296"), -1, raw("1.0"), raw("1e0"), raw("10e-1"), raw("-0"), 1.5, "1", null,
    true, [], new Obj()],
  f64: ["24", null, true, false, [], new Obj(), raw("1e400"), raw("-1e400"), raw("1.7976931348623159e308")],
  text: [null, ...NOT_TEXT, ...LONE_SURROGATES],
  optText: [...NOT_TEXT, ...LONE_SURROGATES],
  colour: [...NOT_TEXT],
  anchor: ["top-center", "", "Top-Left", null, 3, true, [], new Obj(), Obj.of({ "top-left": 1 }),
    Obj.of({ "top-center": null }), new Obj([["top-left", null], ["top-right", null]])],
  kind: [null, 3, true, [], new Obj(), Obj.of({ marker: 1 }), new Obj([["a", null], ["b", null]])],
  count: [true, false, [], new Obj(), [3], nested(130, 1), raw("1e400")],
  hud: [3, "x", true, 0.5],
  night: [3, "x", false],
  alerts: [null, new Obj(), "x", 3, true],
  toasts: [null, new Obj(), "x", 3, false],
  item: [null, 3, "x", true], // an element of alerts or toasts that is no record
};

export const UNKNOWN_KEYS = ["V", "colour", "extra", "toast", "hud ", "Anchor"];
const UNKNOWN_VALUES = [1, "x", null, [1, [2]], Obj.of({ a: Obj.of({ b: [] }) }), nested(300, 0), raw("1e400")];

function record(r, kind) {
  const rec = new Obj();
  for (const [key, type] of Object.entries(RECORDS[kind])) {
    if (r.chance(0.45)) rec.set(key, value(r, type));
  }
  return rec;
}

function value(r, type) {
  if (type === "hud" || type === "night") return r.chance(0.2) ? null : record(r, type);
  if (type === "alerts" || type === "toasts") {
    return Array.from({ length: r.int(4) }, () => record(r, type.slice(0, -1)));
  }
  return r.pick(VALID[type]);
}

/** Every record of a frame as [Obj, kind, holder, index] so that a form can replace it. */
function records(frame) {
  const found = [[frame, "frame", null, null]];
  for (const kind of ["hud", "night"]) {
    if (frame.get(kind) instanceof Obj) found.push([frame.get(kind), kind, frame, kind]);
  }
  for (const list of ["alerts", "toasts"]) {
    const items = frame.get(list);
    if (Array.isArray(items)) {
      items.forEach((item, i) => item instanceof Obj && found.push([item, list.slice(0, -1), items, i]));
    }
  }
  return found;
}

function breakOne(r, frame) {
  const [rec, kind] = r.pick(records(frame));
  const key = r.pick(Object.keys(RECORDS[kind]));
  const type = RECORDS[kind][key];
  const items = rec.get(key);
  if ((type === "alerts" || type === "toasts") && Array.isArray(items) && items.length && r.chance(0.5)) {
    items[r.int(items.length)] = r.pick(INVALID.item);
  } else {
    rec.set(key, r.pick(INVALID[type]));
  }
}

// The record as the helper's array form: its field values in declaration order, up to the last one given,
// with the defaults (from `defaults`) in the gaps.
function asArray(rec, kind, defaults) {
  const keys = Object.keys(RECORDS[kind]);
  const last = Math.max(-1, ...keys.map((k, i) => (rec.has(k) ? i : -1)));
  return keys.slice(0, last + 1).map((k) => (rec.has(k) ? rec.get(k) : defaults[kind][k]));
}

const FORMS = [["object", 0.7], ["unknown-key", 0.1], ["array-record", 0.1], ["duplicate", 0.1]];

/**
 * One case: { value, form, escapeKeys } where value is the line as a Raw/Obj tree and escapeKeys asks for keys
 * written as \u escapes. `defaults` maps each record kind to its
 * field defaults (for the array form's gaps).
 */
export function frameCase(r, defaults) {
  const frame = record(r, "frame");
  if (r.chance(0.55)) {
    breakOne(r, frame);
    if (r.chance(0.3)) breakOne(r, frame);
  }
  const escapeKeys = r.chance(0.1);
  let roll = r.int(100) / 100;
  const [form] = FORMS.find(([, p]) => (roll -= p) < 0) ?? FORMS[0];
  const [rec, kind, holder, at] = r.pick(records(frame));
  if (form === "unknown-key") rec.entries.splice(r.int(rec.entries.length + 1), 0, [r.pick(UNKNOWN_KEYS), r.pick(UNKNOWN_VALUES)]);
  if (form === "duplicate") {
    const key = r.pick(Object.keys(RECORDS[kind]));
    if (!rec.has(key)) rec.entries.push([key, value(r, RECORDS[kind][key])]);
    rec.entries.push([key, value(r, RECORDS[kind][key])]);
  }
  if (form === "array-record") {
    const array = asArray(rec, kind, defaults);
    if (holder === null) return { value: array, form, escapeKeys };
    if (holder instanceof Obj) holder.set(at, array);
    else holder[at] = array;
  }
  return { value: frame, form, escapeKeys };
}
