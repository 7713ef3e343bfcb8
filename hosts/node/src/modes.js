// The helper's two one-shot modes: the probe report and the version line.
import { fontsArgs, settled, spawnHelper, stripPrefix } from "./launch.js";

const DEFAULT_TIMEOUT_MS = 60_000; // Wine's first start in a new prefix takes a while

async function runToEnd(options, args) {
  const child = spawnHelper(options, args, ["ignore", "pipe", "pipe"]);
  const out = [];
  const err = [];
  child.stdout.on("data", (chunk) => out.push(chunk));
  child.stderr.on("data", (chunk) => err.push(chunk));
  const limit = options.timeoutMs ?? DEFAULT_TIMEOUT_MS;
  const timer = setTimeout(() => child.kill("SIGKILL"), limit);
  try {
    const [status, signal] = await settled(child);
    if (signal === "SIGKILL") throw new Error(`tolmin-overlay ${args.join(" ")} did not end within ${limit} ms`);
    const diagnostics = Buffer.concat(err).toString("utf8").split(/\r?\n/).filter(Boolean).map(stripPrefix);
    return { status, stdout: Buffer.concat(out).toString("utf8"), diagnostics };
  } finally {
    clearTimeout(timer);
  }
}

function failed(mode, { status, diagnostics }) {
  const why = diagnostics.length ? `: ${diagnostics.join("; ")}` : "";
  return new Error(`tolmin-overlay ${mode} ended with status ${status}${why}`);
}

/**
 * Runs `--probe` and resolves with its report: { backend, layer_shell, exclude_from_capture, monitors }.
 * The helper's warnings (e.g. that the faces did not load) are in the report's non-enumerable `diagnostics`.
 */
export async function probe({ exe, launcher, fonts, env, timeoutMs } = {}) {
  const run = await runToEnd({ exe, launcher, env, timeoutMs }, ["--probe", ...fontsArgs(fonts)]);
  if (run.status !== 0) throw failed("--probe", run);
  const report = JSON.parse(run.stdout);
  Object.defineProperty(report, "diagnostics", { value: run.diagnostics });
  return report;
}

/** Runs `--version` and resolves with its line, e.g. "tolmin-overlay 0.1.0". */
export async function version({ exe, launcher, env, timeoutMs } = {}) {
  const run = await runToEnd({ exe, launcher, env, timeoutMs }, ["--version"]);
  if (run.status !== 0) throw failed("--version", run);
  return run.stdout.trimEnd();
}
