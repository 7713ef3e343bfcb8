// tolmin-overlay from Node: start and feed the helper, run its probe and version modes, check frames.
export { startOverlay, Overlay } from "./overlay.js";
export { probe, version } from "./modes.js";
export { frameFault, frameLine, frameSchema, FrameError, MAX_LINE_BYTES } from "./frame_check.js";
export { toastFor, alive, wallMs } from "./builders.js";
