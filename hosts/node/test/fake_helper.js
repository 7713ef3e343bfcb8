// A stand-in for tolmin-overlay.exe with the same streams, run with Node as its launcher.
//   --version / --probe: the helper's output for these modes.
//   otherwise: copies its input to $FAKE_RECORD (reading nothing until the file $FAKE_GO exists, when that is
//   set), writes diagnostics at its start and at the end of its input, and exits with $FAKE_EXIT (default 0).
//   $FAKE_EXIT_EARLY ends it at once with that status, reading nothing.
import { createWriteStream, existsSync } from "node:fs";

const args = process.argv.slice(2);
const say = (line) => process.stderr.write(`${line}\n`);

if (args.includes("--version")) {
  process.stdout.write("tolmin-overlay 0.1.0\n");
} else if (args.includes("--probe")) {
  if (!args.includes("--fonts")) say("tolmin-overlay: the overlay's own faces did not load; text will fall back");
  process.stdout.write('{"backend":"win32","layer_shell":false,"exclude_from_capture":false,"monitors":' +
    '[{"name":"\\\\\\\\.\\\\DISPLAY1","width":1920,"height":1080,"scale_factor":1,"primary":true}]}\n');
} else if (process.env.FAKE_EXIT_EARLY) {
  process.exitCode = Number(process.env.FAKE_EXIT_EARLY);
} else {
  say("tolmin-overlay: fake started");
  say("err: a line of the launcher's own");
  const go = process.env.FAKE_GO;
  const read = () => {
    if (go && !existsSync(go)) return setTimeout(read, 20);
    const record = createWriteStream(process.env.FAKE_RECORD);
    process.stdin.pipe(record);
    record.on("finish", () => {
      say("tolmin-overlay: input ended");
      process.exitCode = Number(process.env.FAKE_EXIT ?? 0);
    });
  };
  read();
}
