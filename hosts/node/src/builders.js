// Small helpers for the parts of a frame that are awkward by hand; they return plain frame objects.

/** The clock of a toast's born and dies: milliseconds since 1970-01-01 00:00 UTC. */
export const wallMs = () => Date.now();

/**
 * A toast that shows from `now` for `lifetimeMs` milliseconds (it fades in after born and out before dies).
 * The other fields are the toast's own, e.g. { kind: "caller", index: "1", title: "Ana is calling" }.
 */
export function toastFor(lifetimeMs, fields = {}, now = wallMs()) {
  if (!Number.isFinite(lifetimeMs) || lifetimeMs < 0) throw new RangeError("lifetimeMs: a duration in milliseconds");
  return { ...fields, born: now, dies: now + lifetimeMs };
}

/** Whether a toast is still to be shown at `now` (a host may drop the others to keep its lines short). */
export const alive = (toast, now = wallMs()) => (toast.dies ?? 0) > now;
