'use strict';
// What the wallpaper page ought to show, worked out from the rules of the reminder itself
// (reminder window, Only-on date, Between period) with plain calendar arithmetic. It shares no
// code or formula with the page's generated script, which is what it is compared against.

const DAY_MS = 86400000;

function utcDay(y, m, d) {
  const t = Date.UTC(y, m - 1, d);
  const x = new Date(t);
  // A day that the calendar of that year lacks (29/02 in a common year) has no occurrence.
  if (x.getUTCFullYear() !== y || x.getUTCMonth() !== m - 1 || x.getUTCDate() !== d) return null;
  return t / DAY_MS;
}

function isLeap(y) { return (y % 4 === 0 && y % 100 !== 0) || y % 400 === 0; }

function daysOfYear(y) {
  const out = [];
  for (let t = utcDay(y, 1, 1); t < utcDay(y + 1, 1, 1); t++) {
    const x = new Date(t * DAY_MS);
    out.push({ y, m: x.getUTCMonth() + 1, d: x.getUTCDate() });
  }
  return out;
}

function two(n) { return String(n).padStart(2, '0'); }
function dm(s) { return { d: +s.slice(0, 2), m: +s.slice(3, 5) }; }

const NO_RULE = '00/00 00/00 00/00';

// Whether the event is due on the given day: with a rule, on its Only-on day or inside its
// Between period (which may run over a month end or into the new year); without one, on each of
// the `days` days that end on the event's day and month.
function isDue(ev, today, days) {
  const t = utcDay(today.y, today.m, today.d);
  if (ev.rule !== NO_RULE) {
    const only = ev.rule.slice(0, 5), from = ev.rule.slice(6, 11), to = ev.rule.slice(12, 17);
    if (only !== '00/00') {
      const o = dm(only);
      if (o.d === today.d && o.m === today.m) return true;
    }
    if (to !== '00/00') {
      const a = dm(from), b = dm(to);
      for (const y of [today.y - 1, today.y]) {
        const start = utcDay(y, a.m, a.d);
        const wraps = b.m < a.m || (b.m === a.m && b.d < a.d);
        const end = utcDay(y + (wraps ? 1 : 0), b.m, b.d);
        if (start !== null && end !== null && start <= t && t <= end) return true;
      }
    }
    return false;
  }
  const e = dm(ev.date);
  for (const y of [today.y, today.y + 1]) {
    const at = utcDay(y, e.m, e.d);
    if (at !== null && at >= t) return at - t <= days - 1;
  }
  return false;
}

function dueNames(events, today, days) {
  return events.filter((ev) => isDue(ev, today, days)).map((ev) => ev.name);
}

module.exports = { utcDay, isLeap, daysOfYear, isDue, dueNames, two, NO_RULE, DAY_MS };
