// The session's timers, paced by the clock. Browsers hold nested timeouts to 4 ms and more, so the
// ticks are not timeouts of their own: once per frame of the screen, every tick that is due by
// the clock is delivered, one after the other and each to its handler, in the order they fell due.
// A timer keeps its rhythm from the time its tick was due, not from when the frame came, so that
// a 1 ms timer gives 1,000 ticks a second and longer intervals keep their length on average.

// Ticks more than this late are dropped, as a desktop timer drops the ticks it cannot deliver:
// after the page was hidden, a long run does not rush through what it missed.
const MOST_LATE = 250;

export class Timers {
  constructor(tick) {
    this.tick = tick;
    this.timers = new Map(); // id -> { interval, due }
    this.dueNow = null; // the due time of the tick being delivered
    this.scheduled = false;
    document.addEventListener('visibilitychange', () => this.schedule());
  }

  // The time a timer started now counts from: the tick being delivered, if any.
  now() {
    return this.dueNow ?? performance.now();
  }

  start(id, interval) {
    const length = Math.max(1, interval);
    this.timers.set(id, { interval: length, due: this.now() + length });
    this.schedule();
  }

  stop(id) {
    this.timers.delete(id);
  }

  stopAll() {
    this.timers.clear();
  }

  schedule() {
    if (this.scheduled || this.timers.size === 0) return;
    this.scheduled = true;
    const run = () => {
      this.scheduled = false;
      this.deliver();
      this.schedule();
    };
    // A hidden page gets no frames; its timeouts are slow, but they come.
    if (document.hidden) setTimeout(run, 16);
    else requestAnimationFrame(run);
  }

  next() {
    let first = null;
    for (const [id, timer] of this.timers) if (first === null || timer.due < first[1].due) first = [id, timer];
    return first;
  }

  deliver() {
    const now = performance.now();
    for (let entry = this.next(); entry && entry[1].due <= now; entry = this.next()) {
      const [id, timer] = entry;
      if (timer.due < now - MOST_LATE) timer.due = now - MOST_LATE;
      this.dueNow = timer.due;
      timer.due += timer.interval;
      try {
        this.tick(id);
      } finally {
        this.dueNow = null;
      }
    }
  }
}
