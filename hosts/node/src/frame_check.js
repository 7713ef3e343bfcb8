// The host-side check of a frame against the frame schema (frame.schema.json, exported as
// "tolmin-overlay-host/schema.json"), and the one way a frame becomes a line.
import { readFileSync } from "node:fs";
import Ajv2020 from "ajv/dist/2020.js";

export const frameSchema = JSON.parse(
  readFileSync(new URL("../frame.schema.json", import.meta.url), "utf8"),
);

const validate = new Ajv2020({ strict: true, allowUnionTypes: true }).compile(frameSchema);

/** A frame the helper would reject, refused before it is written. */
export class FrameError extends TypeError {
  constructor(message) {
    super(message);
    this.name = "FrameError";
  }
}

// Ajv reports every branch of an anyOf; the first branch of each is the form a host should write, so its
// error is the one worth reading.
function describe(error) {
  const where = `frame${error.instancePath}`;
  const { params } = error;
  if (error.keyword === "additionalProperties") return `${where} has an unknown key "${params.additionalProperty}"`;
  if (error.keyword === "enum") return `${where} must be one of ${params.allowedValues.map((v) => JSON.stringify(v)).join(", ")}`;
  if (error.keyword === "const") return `${where} must be ${JSON.stringify(params.allowedValue)}`;
  return `${where} ${error.message}`;
}

/** Null when the frame fits the schema, else the schema's message for its first fault. */
export function frameFault(frame) {
  return validate(frame) ? null : describe(validate.errors[0]);
}

// JSON.stringify writes a lone surrogate as an escape that the helper rejects as a whole line; the schema
// cannot see it, so the line writer looks at every string.
function wellFormed(key, value) {
  if (typeof value === "string" && !value.isWellFormed()) {
    throw new FrameError(`frame text ${JSON.stringify(key)} holds a lone UTF-16 surrogate`);
  }
  return value;
}

/** The most bytes the helper reads for one line, line feed included; a longer line is discarded there. */
export const MAX_LINE_BYTES = 1_048_576;

/** The frame as one compact JSON line with its line feed; throws FrameError for a frame the helper would refuse. */
export function frameLine(frame) {
  const fault = frameFault(frame);
  if (fault !== null) throw new FrameError(fault);
  const line = `${JSON.stringify(frame, wellFormed)}\n`;
  const bytes = Buffer.byteLength(line);
  if (bytes > MAX_LINE_BYTES) throw new FrameError(`frame line of ${bytes} bytes is over the helper's 1 MiB`);
  return line;
}
