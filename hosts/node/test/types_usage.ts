// Compiled by `npm run check-types` (tsc --noEmit): the declarations accept the frames a host writes and refuse
// the mistakes the helper would reject.
import { startOverlay, toastFor, type Frame } from "tolmin-overlay-host";

const overlay = startOverlay({ exe: "tolmin-overlay.exe", launcher: "/usr/lib/wine/wine64", fonts: "fonts" });
const frame: Frame = {
  v: 1,
  anchor: "top-right",
  hud: { dot: "#C8FF00", state: "LIVE", presence: null },
  night: null,
  alerts: [{ id: "disk", title: "Disk almost full", detail: "C: 97 %" }],
  toasts: [toastFor(6000, { kind: "caller", index: "1", title: "Ana is calling" }), { kind: "custom", count: 3 }],
};
const sent: "written" | "waiting" = overlay.send(frame);
overlay.on("diagnostic", (text: string) => text.length);
const status: Promise<number | null> = overlay.close();

// @ts-expect-error the model version is 1
const v2: Frame = { v: 2 };
// @ts-expect-error no such corner
const centre: Frame = { anchor: "top-center" };
// @ts-expect-error a toast's index is a string
const index: Frame = { toasts: [{ index: 3 }] };
// @ts-expect-error unknown keys are not written
const extra: Frame = { hud: { colour: "#FFFFFF" } };
// @ts-expect-error a text is never null
const nullTitle: Frame = { night: { title: null } };

export { sent, status, v2, centre, index, extra, nullTitle };
