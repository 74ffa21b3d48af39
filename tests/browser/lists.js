'use strict';
// Generated event lists and looks, and the wrenpad runs that turn them into pages.

const fs = require('fs');
const path = require('path');
const { execFile } = require('child_process');
const { utcDay, two, NO_RULE, DAY_MS } = require('./calendar');

// Small seeded generator so that a failure can be replayed exactly.
function rng(seed) {
  let a = seed >>> 0;
  const next = () => {
    a = (a + 0x6d2b79f5) >>> 0;
    let t = a;
    t = Math.imul(t ^ (t >>> 15), t | 1);
    t ^= t + Math.imul(t ^ (t >>> 7), t | 61);
    return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
  };
  next.int = (lo, hi) => lo + Math.floor(next() * (hi - lo + 1));
  next.pick = (arr) => arr[Math.floor(next() * arr.length)];
  return next;
}

// "dd/MM" of the day `back` days before day/month of a common year (rule dates carry no year;
// 29/02 is left out so the rule means the same in every year).
function before(d, m, back) {
  const x = new Date((utcDay(2025, m, d) - back) * DAY_MS);
  return `${two(x.getUTCDate())}/${two(x.getUTCMonth() + 1)}`;
}

// A rule as the Customise Event dialog would accept it: every date within the 24 days before
// the event, the period's start before its end, and an Only-on date kept apart from the period.
function randomRule(r, d, m) {
  const kind = r();
  if (kind < 0.62) return NO_RULE;
  if (kind < 0.77) return `${before(d, m, r.int(0, 24))} 00/00 00/00`;
  const a = r.int(1, 24), b = r.int(0, a - 1);
  const between = `${before(d, m, a)} ${before(d, m, b)}`;
  if (kind < 0.92 || a === 24) return `00/00 ${between}`;
  return `${before(d, m, r.int(a + 1, 24))} ${between}`;
}

// Days that put reminder windows and periods over month ends and the turn of the year.
const EDGE_DAYS = [[1, 1], [2, 1], [5, 1], [10, 1], [1, 3], [3, 3], [4, 3], [15, 3], [1, 12],
  [31, 12], [24, 12], [2, 2], [28, 2], [1, 5], [31, 5]];

function randomEvents(r, count, tag) {
  const events = [];
  for (let i = 0; i < count; i++) {
    let d, m;
    if (r() < 0.3) [d, m] = r.pick(EDGE_DAYS);
    else do { m = r.int(1, 12); d = r.int(1, 31); } while (utcDay(2025, m, d) === null);
    events.push({
      name: `${tag}e${String(i + 1).padStart(3, '0')}`,
      date: `${two(d)}/${two(m)}/${r.int(1940, 2020)}`,
      address: r() < 0.5 ? '-' : `p${i + 1}@example.org`,
      mark: r() < 0.2 ? 1 : 0,
      rule: randomRule(r, d, m),
    });
  }
  return events;
}

function listBytes(events) {
  return events.map((e) => [e.name, e.date, e.address, String(e.mark), e.rule].join('\r\n')).join('\r\n');
}

// Settings file of the given pairs over the defaults.
function lookBytes(pairs) {
  return Object.entries(pairs).map(([k, v]) => `${k}\r\n${v}`).join('\r\n');
}

class PageMaker {
  constructor(buildDir, workDir) {
    this.wrenpad = path.join(buildDir, 'wrenpad');
    this.dir = workDir;
    this.count = 0;
    fs.rmSync(workDir, { recursive: true, force: true });
    fs.mkdirSync(workDir, { recursive: true });
    // Keep the user's own preferences out of it: the runs get an empty store of their own.
    this.env = { ...process.env, XDG_CONFIG_HOME: path.join(workDir, 'config'),
      XDG_DATA_HOME: path.join(workDir, 'data'), XDG_CACHE_HOME: path.join(workDir, 'cache'),
      QT_QPA_PLATFORM: 'offscreen' };
  }

  // Writes the list and look, runs wrenpad --write-html and returns the page's file URL.
  make(name, { events, look = {}, today, compat = true }) {
    const base = path.join(this.dir, name);
    fs.writeFileSync(base + '.dwe', listBytes(events));
    fs.writeFileSync(base + '.dwt', lookBytes(look));
    const args = ['--write-html', base + '.html', '--settings', base + '.dwt', '--today', today,
      compat ? '--browser-compat' : '--no-browser-compat', base + '.dwe'];
    this.count++;
    return new Promise((resolve, reject) => {
      execFile(this.wrenpad, args, { env: this.env }, (err, stdout, stderr) => {
        if (err) reject(new Error(`wrenpad ${args.join(' ')}: ${err.message}\n${stderr}`));
        else resolve('file://' + base + '.html');
      });
    });
  }
}

// Runs `wrenpad --write-preview` (the Preview tab's sample page) and returns its file URL.
PageMaker.prototype.makePreview = function (name, { events, look = {}, today }) {
  const base = path.join(this.dir, name);
  fs.writeFileSync(base + '.dwe', listBytes(events));
  fs.writeFileSync(base + '.dwt', lookBytes(look));
  const args = ['--write-preview', base + '.html', '--settings', base + '.dwt', '--today', today, base + '.dwe'];
  this.count++;
  return new Promise((resolve, reject) => {
    execFile(this.wrenpad, args, { env: this.env }, (err, stdout, stderr) => {
      if (err) reject(new Error(`wrenpad ${args.join(' ')}: ${err.message}\n${stderr}`));
      else resolve('file://' + base + '.html');
    });
  });
};

// Runs async jobs with at most `width` at a time, keeping their order in the result. Each job
// also gets the number of the lane running it, so lanes can own a browser tab each.
async function pool(items, width, job) {
  const out = new Array(items.length);
  let next = 0;
  await Promise.all(Array.from({ length: width }, async (_, lane) => {
    while (next < items.length) { const i = next++; out[i] = await job(items[i], i, lane); }
  }));
  return out;
}

module.exports = { rng, randomEvents, randomRule, before, listBytes, lookBytes, PageMaker, pool };
