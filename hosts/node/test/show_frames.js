// Shows frames through the library, for the end-to-end test under Wine:
//   node show_frames.js EXE FONTS [LAUNCHER]
// sends each JSON line of its input as a frame; at the end of its input closes the overlay and prints one
// JSON line: { status, diagnostics }.
import { createInterface } from "node:readline";
import { startOverlay } from "../src/index.js";

const [exe, fonts, launcher] = process.argv.slice(2);
const overlay = startOverlay({ exe, fonts, launcher });
const diagnostics = [];
overlay.on("diagnostic", (text) => diagnostics.push(text));
for await (const line of createInterface({ input: process.stdin })) overlay.send(JSON.parse(line));
const status = await overlay.close();
console.log(JSON.stringify({ status, diagnostics }));
