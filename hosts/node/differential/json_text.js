// JSON text with what JSON.stringify cannot write: number literals as written (1.0, 1e400, -0) and objects
// with repeated keys. The differential feeds the text to the checker and JSON.parse(text) to the schema.

/** A literal written as is. */
export class Raw {
  constructor(text) {
    this.text = text;
  }
}

/** An object as an ordered list of [key, value] entries, so a key may repeat. */
export class Obj {
  constructor(entries = []) {
    this.entries = entries;
  }

  static of(plain) {
    return new Obj(Object.entries(plain));
  }

  has(key) {
    return this.entries.some(([k]) => k === key);
  }

  set(key, value) {
    const at = this.entries.findIndex(([k]) => k === key);
    if (at < 0) this.entries.push([key, value]);
    else this.entries[at] = [key, value];
  }

  get(key) {
    return this.entries.find(([k]) => k === key)?.[1];
  }
}

export const raw = (text) => new Raw(text);

const escaped = (key) =>
  `"${Array.from({ length: key.length }, (_, i) => `\\u${key.charCodeAt(i).toString(16).padStart(4, "0")}`).join("")}"`;

/** The value as JSON text; with escapeKeys, every key is written as \u escapes ("v" as "\u0076"). */
export function jsonText(value, escapeKeys = false) {
  const text = (v) => jsonText(v, escapeKeys);
  if (value instanceof Raw) return value.text;
  if (value instanceof Obj) {
    return `{${value.entries.map(([k, v]) => `${escapeKeys ? escaped(k) : JSON.stringify(k)}:${text(v)}`).join(",")}}`;
  }
  if (Array.isArray(value)) return `[${value.map(text).join(",")}]`;
  return JSON.stringify(value);
}
