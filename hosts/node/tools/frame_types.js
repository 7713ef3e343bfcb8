// TypeScript declarations of the frame, made from frame.schema.json so the two cannot drift apart:
// types/frame.d.ts is this module's output, and a test keeps the committed file equal to it.
// Only the keywords the frame schema uses are understood; anything else is an error, not a silent `unknown`.
import { readFileSync, writeFileSync } from "node:fs";
import { fileURLToPath } from "node:url";

const SCHEMA = new URL("../frame.schema.json", import.meta.url);
export const OUTPUT = new URL("../types/frame.d.ts", import.meta.url);

const typeName = (defName) => defName[0].toUpperCase() + defName.slice(1);
const PRIMITIVE = { string: "string", number: "number", integer: "number", null: "null" };

function comment(schema, indent) {
  const lines = [];
  if (schema.description) lines.push(...schema.description.split("\n"));
  if ("default" in schema) lines.push(`@default ${JSON.stringify(schema.default)}`);
  if (lines.length === 0) return "";
  return `${indent}/**\n${lines.map((l) => `${indent} *${l ? ` ${l.replaceAll("*/", "*\\/")}` : ""}`).join("\n")}\n${indent} */\n`;
}

function union(parts) {
  const unique = [...new Set(parts)];
  // A plain string beside string literals would swallow them in editors' completion; `string & {}` keeps both.
  const hasLiterals = unique.some((p) => p.startsWith('"'));
  return unique.map((p) => (p === "string" && hasLiterals ? "(string & {})" : p)).join(" | ");
}

function typeOf(schema, indent) {
  if (schema.$ref) {
    const name = schema.$ref.match(/^#\/\$defs\/(\w+)$/)?.[1];
    if (!name) throw new Error(`unsupported $ref ${schema.$ref}`);
    return typeName(name);
  }
  if ("const" in schema) return JSON.stringify(schema.const);
  if (schema.enum) return union(schema.enum.map((v) => JSON.stringify(v)));
  if (schema.anyOf) {
    // Forms the schema still accepts but marks deprecated are left out of the types: hosts should not write them.
    const kept = schema.anyOf.filter((s) => !s.deprecated);
    return union(kept.map((s) => typeOf(s, indent)).sort((a, b) => b.startsWith('"') - a.startsWith('"')));
  }
  const types = [schema.type].flat();
  return union(types.map((t) => {
    if (t in PRIMITIVE) return PRIMITIVE[t];
    if (t === "array") return `${typeOf(schema.items, indent)}[]`;
    if (t === "object") return objectType(schema, indent);
    throw new Error(`unsupported type ${t}`);
  }));
}

function objectType(schema, indent) {
  if (schema.additionalProperties !== false || !schema.properties) throw new Error("objects must list their keys");
  const inner = `${indent}  `;
  const fields = Object.entries(schema.properties).map(([key, prop]) => {
    return `${comment(prop, inner)}${inner}${key}?: ${typeOf(prop, inner)};\n`;
  });
  return `{\n${fields.join("")}${indent}}`;
}

export function frameTypes(schema = JSON.parse(readFileSync(SCHEMA, "utf8"))) {
  const { $defs, ...root } = schema;
  const out = ["// Made by tools/frame_types.js from frame.schema.json; do not edit by hand.\n"];
  for (const [name, def] of Object.entries($defs)) {
    const keyword = def.type === "object" ? "interface" : "type";
    const body = typeOf(def, "");
    out.push(`${comment(def, "")}export ${keyword} ${typeName(name)}${keyword === "type" ? " =" : ""} ${body}${keyword === "type" ? ";" : ""}\n`);
  }
  out.push(`${comment(root, "")}export interface Frame ${objectType(root, "")}\n`);
  return out.join("\n");
}

if (process.argv[1] === fileURLToPath(import.meta.url)) writeFileSync(OUTPUT, frameTypes());
