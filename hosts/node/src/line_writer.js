// Writes whole lines to a stream without ever waiting and without a growing queue: while the stream is
// above its high-water mark, one line waits, and a newer line replaces it (newest wins, as in the helper).

export class LineWriter {
  #stream;
  #waiting = null; // the line that waits for "drain", or null
  #blocked = false;
  #ended = false;

  /** Lines replaced while waiting, never written. */
  replaced = 0;

  constructor(stream) {
    this.#stream = stream;
    stream.on("drain", () => {
      this.#blocked = false;
      const line = this.#waiting;
      this.#waiting = null;
      if (line !== null && !this.#ended) this.write(line);
    });
  }

  /** "written" when the line went to the stream now, "waiting" when it waits for the pipe (replacing an older one). */
  write(line) {
    if (this.#ended) throw new Error("the line writer has ended");
    if (this.#blocked) {
      if (this.#waiting !== null) this.replaced += 1;
      this.#waiting = line;
      return "waiting";
    }
    // One write per line: the stream keeps its chunks whole and in order, so a line never interleaves.
    this.#blocked = !this.#stream.write(line);
    return "written";
  }

  /** Writes the waiting line, if any, and ends the stream. */
  end() {
    if (this.#ended) return;
    this.#ended = true;
    if (this.#waiting !== null) this.#stream.write(this.#waiting);
    this.#waiting = null;
    this.#stream.end();
  }
}
