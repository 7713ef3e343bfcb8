// What the differential expects of the checker for a line, given the schema's verdict.

const KIND_NAMES = ["marker", "caller", "same"];
const DEF_OF = { hud: "hud", night: "night", alerts: "alert", toasts: "toast" };

function deref(schema, node) {
  return node.$ref ? deref(schema, schema.$defs[node.$ref.split("/").pop()]) : node;
}

function fieldDefault(schema, prop) {
  return "default" in prop ? prop.default : deref(schema, prop).default;
}

/** The default of every field of every record, as the schema states them: { frame: {v: 1, ...}, hud: {...}, ... }. */
export function schemaDefaults(schema) {
  const out = {};
  for (const [kind, node] of [["frame", schema], ...["hud", "night", "alert", "toast"].map((k) => [k, schema.$defs[k]])]) {
    out[kind] = Object.fromEntries(Object.entries(node.properties).map(([k, p]) => [k, fieldDefault(schema, p)]));
  }
  return out;
}

const enumName = (value) => (typeof value === "object" && value !== null ? Object.keys(value)[0] : value);

// A schema-valid frame with every absent key at the schema's default, in the checker's terms.
function filled(defaults, kind, rec) {
  const out = {};
  for (const [key, fallback] of Object.entries(defaults[kind])) {
    let value = key in rec ? rec[key] : fallback;
    if (key in DEF_OF && value !== null) {
      value = Array.isArray(value) ? value.map((item) => filled(defaults, DEF_OF[key], item)) : filled(defaults, DEF_OF[key], value);
    }
    if (key === "anchor") value = enumName(value);
    if (key === "kind") value = KIND_NAMES.includes(enumName(value)) ? enumName(value) : "unrecognized";
    out[key] = value;
  }
  return out;
}

/** The frame the checker should print for a schema-valid object-form line. */
export const expectedFrame = (defaults, parsed) => filled(defaults, "frame", parsed);

/** The checker's frame without the derived toast fields, which the schema does not describe. */
export function decodedFrame(frame) {
  const toasts = frame.toasts.map(({ count_label: _label, has_detail: _detail, ...toast }) => toast);
  return { ...frame, toasts };
}

// The kinds of line that the schema accepts and the helper rejects, each something no schema can say.
export const BEYOND_SCHEMA = [
  ["integer written as a float", (c) => /^invalid type: floating point `[^`]*`, expected u32/.test(c.error)],
  ["lone surrogate escape", (c) => /surrogate|hex escape|unicode code point/.test(c.error) && /\\ud[89a-f]/i.test(c.text)],
  // A parsed value keeps one of the repeated keys; the helper faults the repetition, or a bad first value.
  ["duplicate key", (c) => c.form === "duplicate"],
];
