'use strict';
// Renders pages written by `wrenpad --write-html` in headless Chromium and checks what they show.
// Usage: node run.js BUILD_DIR   (pages and screenshots go below BUILD_DIR)

const fs = require('fs');
const path = require('path');
const { Browser } = require('./cdp');
const { Renderer } = require('./render');
const cal = require('./calendar');
const { rng, randomEvents, PageMaker, pool } = require('./lists');

const buildDir = path.resolve(process.argv[2] || 'build');
const artifacts = path.join(buildDir, 'browser-artifacts');
// How many of the generated lists are rendered on each day of the two years.
const LISTS_PER_DAY = +(process.env.DW_BROWSER_LISTS_PER_DAY || 2);
const LEAP_YEAR = 2028, COMMON_YEAR = 2026;
const MONTHS = ['January', 'February', 'March', 'April', 'May', 'June', 'July', 'August',
  'September', 'October', 'November', 'December'];
const WEEKDAYS = ['Sunday', 'Monday', 'Tuesday', 'Wednesday', 'Thursday', 'Friday', 'Saturday'];
const POSITIONS = ['Custom', 'Top Left', 'Top Center', 'Top Right', 'Middle Left', 'Middle Center',
  'Middle Right', 'Bottom Left', 'Bottom Center', 'Bottom Right'];

let passed = 0, failed = 0;
const failures = [];
const notes = [];

// One test: `fn` returns a list of problems (empty when everything matched).
async function check(name, fn) {
  let problems;
  try { problems = await fn(); } catch (e) { problems = [String(e && e.stack || e)]; }
  if (problems.length === 0) { passed++; return; }
  failed++;
  failures.push(`FAIL ${name}\n    ${problems.join('\n    ')}`);
  if (failures.length <= 40) console.log(failures[failures.length - 1]);
}

function expectEq(problems, what, got, want) {
  const g = JSON.stringify(got), w = JSON.stringify(want);
  if (g !== w) problems.push(`${what}: got ${g.slice(0, 300)}, want ${w.slice(0, 300)}`);
}

function rgb(hex) {
  return `rgb(${parseInt(hex.slice(0, 2), 16)}, ${parseInt(hex.slice(2, 4), 16)}, ${parseInt(hex.slice(4, 6), 16)})`;
}

const iso = (day) => `${day.y}-${cal.two(day.m)}-${cal.two(day.d)}`;
const day = (y, m, d) => ({ y, m, d });

const JAN1 = `${COMMON_YEAR}-01-01`;
const pageProblems = (list) => list.map((x) => 'page problem: ' + x.split('\n')[0]);
const readPage = (url) => fs.readFileSync(new URL(url)).toString('latin1');
// The compatibility script's source, as written at the start of the page's head.
const scriptOf = (url) => { const t = readPage(url); return t.slice(t.indexOf('<script>') + 8, t.indexOf('</script>')); };

// Problems every page written with the compatibility switch must be free of.
function healthy(snap) {
  const p = pageProblems(snap.problems);
  if (!snap.placed) p.push('the placement script did not make every block visible');
  if (snap.layer && snap.layer.display !== 'none' && snap.layer.width > 0)
    p.push(`the empty layer is drawn (${snap.layer.width}x${snap.layer.height})`);
  return p;
}

// ---------------------------------------------------------------------------------------------
// Every day of a leap and a common year: the Name-Date rows equal the independent calculation,
// the Main Date shows the full year, the Scroller shows the month's events or is absent.

async function dueSuite(maker, renderers) {
  const lists = [];
  for (let n = 1; n <= 25; n++) {
    const r = rng(1000 + n);
    // Every fourth list is short, so that months without events come up too.
    lists.push({ n, events: randomEvents(r, n % 4 === 0 ? r.int(1, 8) : r.int(30, 60), `L${n}`) });
  }
  const jobs = [];
  for (const year of [LEAP_YEAR, COMMON_YEAR]) {
    const urls = await pool(lists, 2, (l) => maker.make(`due-${year}-${l.n}`, {
      events: l.events, today: `${year}-06-15`, look: { RemindBefore: String(l.n) } }));
    const days = cal.daysOfYear(year);
    days.forEach((d, i) => {
      for (let k = 0; k < LISTS_PER_DAY; k++) {
        const li = (i * LISTS_PER_DAY + k * 13) % lists.length;
        jobs.push({ day: d, list: lists[li], url: urls[li] });
      }
    });
  }
  const daysSeen = new Set();
  const seen = { rows: 0, ruleRows: 0, crossing: 0, withRows: 0 };
  await pool(jobs, renderers.length, async (job, i, lane) => {
    const r = renderers[lane];
    daysSeen.add(iso(job.day));
    await check(`due ${iso(job.day)} N=${job.list.n}`, async () => {
      const snap = await r.show(job.url, job.day);
      const p = healthy(snap);
      const ev = job.list.events;
      const want = cal.dueNames(ev, job.day, job.list.n).sort();
      const byName = new Map(ev.map((e) => [e.name, e]));
      seen.rows += want.length;
      seen.withRows += want.length > 0 ? 1 : 0;
      for (const n of want) {
        const e = byName.get(n);
        if (e.rule !== cal.NO_RULE) seen.ruleRows++;
        // Shown in another month or year than the event's own day.
        if (+e.date.slice(3, 5) !== job.day.m) seen.crossing++;
      }
      const shown = snap.rows.map((row) => row.text.split('  -  ')[0]);
      expectEq(p, 'due rows', shown.slice().sort(), want);
      for (const row of snap.rows) {
        const e = byName.get(row.text.split('  -  ')[0]);
        if (!e) continue;
        expectEq(p, `row ${e.name}`, row.text, `${e.name}  -  ${e.date}`);
        expectEq(p, `element of ${e.name}`, row.tag, e.address === '-' ? 'span' : 'a');
        if (e.address !== '-') expectEq(p, `title of ${e.name}`, row.title, e.address);
        if (e.mark === 1) expectEq(p, `important colour of ${e.name}`, row.fontColor, rgb('ff0000'));
      }
      const dd = `${cal.two(job.day.d)}/${cal.two(job.day.m)}/${job.day.y}`;
      expectEq(p, 'main date', snap.maindate && snap.maindate.text, dd);
      const monthEvents = ev.filter((e) => +e.date.slice(3, 5) === job.day.m);
      if (monthEvents.length === 0) {
        if (snap.menuIn) p.push('Scroller shown in a month without events');
        if (snap.body.includes('In ' + MONTHS[job.day.m - 1])) p.push('Scroller text written without events');
      } else if (!snap.menuIn) {
        p.push('no Scroller in a month with events');
      } else {
        if (!snap.menuIn.text.includes('In ' + MONTHS[job.day.m - 1])) p.push('Scroller heading missing');
        for (const e of monthEvents)
          if (!snap.menuIn.text.includes(`${e.name}  -  ${e.date}`)) p.push(`Scroller lacks ${e.name}`);
        if (Math.round(snap.menuIn.right) > 12 || snap.menuIn.right < 9)
          p.push(`Scroller not parked at the left edge (right ${snap.menuIn.right})`);
      }
      return p;
    });
  });
  notes.push(`due rows: ${jobs.length} renders over ${daysSeen.size} days (${LEAP_YEAR} leap, ` +
    `${COMMON_YEAR} common), ${lists.length} lists with N = 1..25, ${LISTS_PER_DAY} lists a day; ` +
    `${seen.rows} due rows compared (${seen.ruleRows} by Only-on/Between rules, ${seen.crossing} shown ` +
    `in the month before the event's), ${seen.withRows} renders with rows`);
}

// ---------------------------------------------------------------------------------------------
// Every Main Date style and separator on four chosen dates.

function expectedMainDate(style, sep, d) {
  const dd = cal.two(d.d), mm = cal.two(d.m), yyyy = String(d.y), yy = yyyy.slice(2);
  const s = sep === '-' ? ' - ' : sep === ',' ? ', ' : sep;
  const month = MONTHS[d.m - 1], wd = WEEKDAYS[new Date(Date.UTC(d.y, d.m - 1, d.d)).getUTCDay()];
  return [
    [dd, mm, yyyy].join(s), [dd, mm, yy].join(s), [mm, dd, yyyy].join(s), [mm, dd, yy].join(s),
    [yyyy, mm, dd].join(s), [yy, mm, dd].join(s), `${wd}, ${month} ${dd}, ${yyyy}`,
    `${wd}, ${dd} ${month}, ${yyyy}`, `${month} ${dd}, ${yyyy}`, `${dd} ${month}, ${yyyy}`,
  ][style];
}

async function mainDateSuite(maker, renderers) {
  const STYLES = ['dd/MM/yyyy', 'dd/MM/yy', 'MM/dd/yyyy', 'MM/dd/yy', 'yyyy/MM/dd', 'yy/MM/dd',
    'dddd, MMMM dd, yyyy', 'dddd, dd MMMM, yyyy', 'MMMM dd, yyyy', 'dd MMMM, yyyy'];
  // The single blank separator cannot come from a settings file: a blank value leaves the
  // separator as it was on loading.
  const SEPS = ['/', '.', '-', '\\', ','];
  const cases = [];
  STYLES.forEach((st, i) => (i < 6 ? SEPS : ['/']).forEach((sep) => cases.push({ i, st, sep })));
  const events = [{ name: 'Anchor', date: '15/06/2000', address: '-', mark: 0, rule: cal.NO_RULE }];
  const dates = [day(COMMON_YEAR, 3, 5), day(COMMON_YEAR, 11, 5), day(COMMON_YEAR, 12, 31), day(COMMON_YEAR, 1, 1)];
  const urls = await pool(cases, 2, (c, k) => maker.make(`md-${k}`, {
    events, today: JAN1, look: { MDDateStyle: c.st, MDDateSep: c.sep } }));
  const jobs = [];
  cases.forEach((c, k) => dates.forEach((d) => jobs.push({ c, d, url: urls[k] })));
  await pool(jobs, renderers.length, async (job, i, lane) => {
    await check(`main date "${job.c.st}" sep "${job.c.sep}" on ${iso(job.d)}`, async () => {
      const snap = await renderers[lane].show(job.url, job.d);
      const p = healthy(snap);
      expectEq(p, 'text', snap.maindate && snap.maindate.text, expectedMainDate(job.c.i, job.c.sep, job.d));
      return p;
    });
  });
}

// ---------------------------------------------------------------------------------------------
// Positions, effects and opacities: every block inside the screen, Bottom ones above the taskbar.

function placeEvents() {
  const long = 'A rather long event name to widen the block';
  return [
    { name: long, date: '05/03/1975', address: 'far@example.org', mark: 1, rule: cal.NO_RULE },
    { name: 'Second', date: '07/03/1980', address: '-', mark: 0, rule: cal.NO_RULE },
    { name: 'Third of the month', date: '20/03/1990', address: '-', mark: 0, rule: cal.NO_RULE },
    { name: 'Next month', date: '02/04/1990', address: '-', mark: 0, rule: cal.NO_RULE },
  ];
}

function positionLook(i) {
  const md = POSITIONS[i], nd = POSITIONS[(i + 4) % 10];
  const effects = ['None', 'Blur', 'Drop Shadow', 'Glow', 'Spooky Shadow'];
  const scroller = ['top', 'middle', 'bottom', '2800'][i % 4];
  const look = {
    TaskbarHeight: '35', MDEffect: effects[i % 5], BlurStr: '3', BlurDir: '135', DropX: '2',
    DropY: '-2', GlowStr: '4', SpookyDir: '225', MDEffectColor: '3050a0',
    MDOpacity: i === 0 ? '60' : '100', NDOpacity: i === 1 ? '80' : '100', ScrollerTop: scroller,
    MainDatePosition: md, NameDateAlign: '0', NameDatePosition: nd,
  };
  if (md === 'Custom') Object.assign(look, { MainDateLeft: '4700', MainDateTop: '300' });
  else Object.assign(look, { MainDateLeft: 'none', MainDateTop: 'none' });
  if (nd === 'Custom') Object.assign(look, { NameDateAlign: 'left', NameDatePosition: '0', NameDateLeft: '4600', NameDateTop: '2900' });
  return { look, md, nd, scroller, effect: look.MDEffect };
}

function inside(p, what, b, w, h, bottomLimit) {
  if (!b) { p.push(`${what} missing`); return; }
  if (b.left < 0 || b.top < 0 || b.right > w || b.bottom > h)
    p.push(`${what} outside ${w}x${h}: ${Math.round(b.left)},${Math.round(b.top)} - ${Math.round(b.right)},${Math.round(b.bottom)}`);
  if (bottomLimit !== undefined && b.bottom > bottomLimit)
    p.push(`${what} reaches below the taskbar: bottom ${b.bottom} > ${bottomLimit}`);
}

function near(p, what, got, want) {
  if (Math.abs(got - want) > 1) p.push(`${what}: ${got.toFixed(1)}, want ${want.toFixed(1)}`);
}

// Where the placement rules put a block of the box's final size: 2 px from the left, centred, or
// `margin` px from the right (the Name-Date block: its left percentage, at least 20 px off); 5 px from the top, centred, or on the taskbar. A custom block keeps
// its percentages unless it would come closer than 20 px to the right edge; a centred one (the
// Name-Date block) is centred on its top percentage.
function placedAt(p, what, b, position, w, h, margin, custom) {
  if (!b) return;
  const [vert, horiz] = position === 'Custom' ? ['Custom', 'Custom'] : position.split(' ');
  if (horiz === 'Left') near(p, `${what} left`, b.left, 2);
  if (horiz === 'Center') near(p, `${what} left`, b.left, (w - b.width) / 2);
  if (horiz === 'Right' && margin === undefined && b.right > w - 20 + 1) p.push(`${what} right edge ${b.right} too close to ${w}`);
  if (horiz === 'Right' && margin !== undefined) near(p, `${what} right`, b.right, w - margin);
  if (vert === 'Top') near(p, `${what} top`, b.top, 5);
  if (vert === 'Middle') near(p, `${what} top`, b.top, (h - b.height) / 2);
  if (vert === 'Bottom') near(p, `${what} bottom`, b.bottom, h - 35);
  if (position === 'Custom') {
    const left = custom.left * w / 100;
    near(p, `${what} left`, b.left, b.width + left > w - 20 ? w - b.width - 20 : left);
    near(p, `${what} top`, b.top, custom.top * h / 100 - (custom.centred ? b.height / 2 : 0));
  }
}

async function positionSuite(maker, renderer) {
  const at = day(COMMON_YEAR, 3, 5);
  for (let i = 0; i < 10; i++) {
    const c = positionLook(i);
    const url = await maker.make(`pos-${i}`, { events: placeEvents(), look: c.look, today: JAN1 });
    for (const [w, h] of [[1024, 768], [1920, 1080]]) {
      await renderer.page.setViewport(w, h);
      await check(`positions MD "${c.md}" ND "${c.nd}" Scroller ${c.scroller} effect ${c.effect} at ${w}x${h}`, async () => {
        const snap = await renderer.show(url, at);
        const p = healthy(snap);
        inside(p, 'Main Date', snap.maindate, w, h, c.md.startsWith('Bottom') ? h - 35 : undefined);
        inside(p, 'Name-Date', snap.cdate, w, h, c.nd.startsWith('Bottom') ? h - 35 : undefined);
        const s = snap.menuIn;
        if (!s) p.push('Scroller missing');
        else {
          inside(p, 'Scroller', { ...s, left: 0, right: 10 }, w, h, c.scroller === 'bottom' ? h - 35 : undefined);
          if (c.scroller === 'top') near(p, 'Scroller top', s.top, 5);
          if (c.scroller === 'middle') near(p, 'Scroller top', s.top, (h - s.height) / 2);
          if (c.scroller === 'bottom') near(p, 'Scroller bottom', s.bottom, h - 35);
          if (c.scroller === '2800') // 80 % of the screen unless that reaches the taskbar
            near(p, 'Scroller top', s.top, s.height + 0.8 * h > h - 35 ? h - 35 - s.height : 0.8 * h);
        }
        placedAt(p, 'Main Date', snap.maindate, c.md, w, h, c.effect === 'None' ? 20 : 13, { left: 97, top: 9 });
        placedAt(p, 'Name-Date', snap.cdate, c.nd, w, h, undefined, { left: 95, top: 83, centred: true });
        if (c.effect !== 'None' && snap.maindate.textShadow === 'none') p.push(`effect ${c.effect} not drawn`);
        if (c.effect === 'None' && snap.maindate.textShadow !== 'none') p.push('a shadow without an effect');
        expectEq(p, 'Main Date opacity', snap.maindate.opacity, i === 0 ? '0.6' : '1');
        expectEq(p, 'Name-Date opacity', snap.cdate.opacity, i === 1 ? '0.8' : '1');
        if (w === 1024) await renderer.page.screenshot(path.join(artifacts, `positions-${i}-${w}x${h}.png`));
        return p;
      });
    }
  }
  await renderer.page.setViewport(1024, 768);
}

// ---------------------------------------------------------------------------------------------
// The four animations, the roll-over colour, the address alert and the sliding Scroller.

// Samples a property of the two Name-Date rows on every frame until `done` holds for what the
// first one showed, or 3 s have passed. Returns the distinct values of each row.
async function watch(page, prop, doneExpr) {
  return page.eval(`new Promise(function(res){var a={},b={},t0=performance.now();
(function tick(){var c=document.getElementById('cdate').children;
a[getComputedStyle(c.namedItem('qelmor1'))[${JSON.stringify(prop)}]]=1;
b[getComputedStyle(c.namedItem('qelmor2'))[${JSON.stringify(prop)}]]=1;
var v=Object.keys(a);if((${doneExpr})||performance.now()-t0>3000){res([v,Object.keys(b)]);return;}
requestAnimationFrame(tick);})();})`);
}

async function animationSuite(maker, renderer) {
  const page = renderer.page;
  const at = day(COMMON_YEAR, 3, 5);
  const events = placeEvents();
  const base = { NameDateFontColour: '008000', ImportantColour: 'c01080', NDRollover: '0000c0' };
  const kinds = {
    Fade: ['opacity', 'v.length>=4 && v.some(function(x){return +x<0.5;})'],
    Blink: ['visibility', "v.indexOf('hidden')>=0 && v.indexOf('visible')>=0"],
    ColourBlink: ['color', `v.indexOf('${rgb('c01080')}')>=0 && v.indexOf('${rgb('008000')}')>=0`],
    Glow: ['textShadow', "v.filter(function(x){return x!='none';}).length>=2"],
  };
  for (const [kind, [prop, doneExpr]] of Object.entries(kinds)) {
    const url = await maker.make(`anim-${kind}`, { events, today: JAN1, look: { ...base, ImportantAnimate: kind } });
    await check(`animation ${kind}`, async () => {
      const snap = await renderer.show(url, at);
      const p = healthy(snap);
      expectEq(p, 'rows', snap.rows.map((r) => r.id), ['qelmor1', 'qelmor2']);
      const [seen, still] = await watch(page, prop, doneExpr);
      const ok = await page.eval(`(function(v){return ${doneExpr};})(${JSON.stringify(seen)})`);
      if (!ok) p.push(`${kind} shows no animation of ${prop}: saw ${JSON.stringify(seen)}`);
      if (still.length !== 1) p.push(`the normal row changes too: ${JSON.stringify(still)}`);
      if (kind === 'Glow') await page.screenshot(path.join(artifacts, 'animation-glow.png'));
      p.push(...pageProblems(page.problems));
      return p;
    });
  }

  const url = await maker.make('rollover', { events, today: JAN1, look: base });
  await check('roll-over colour, address alert and Scroller slide', async () => {
    const snap = await renderer.show(url, at);
    const p = healthy(snap);
    // The Scroller holds rows with the same ids; the Name-Date block's own are the ones meant.
    const rowExpr = `document.getElementById('cdate').children.namedItem('qelmor1')`;
    const row = await page.eval(`(function(){var r=${rowExpr}.getBoundingClientRect();return [r.left+r.width/2,r.top+r.height/2];})()`);
    const colourIs = (c) => page.eval(`new Promise(function(res){var t0=performance.now();(function t(){
var a=getComputedStyle(${rowExpr}).color;
if(a==${JSON.stringify(c)}||performance.now()-t0>2000){res(a);return;}requestAnimationFrame(t);})();})`);
    await page.mouse('mouseMoved', row[0], row[1]);
    expectEq(p, 'colour under the mouse', await colourIs(rgb('0000c0')), rgb('0000c0'));
    await page.mouse('mouseMoved', 600, 5);
    expectEq(p, 'colour after the mouse left', await colourIs(rgb('008000')), rgb('008000'));
    page.dialogs = [];
    await page.send('Input.dispatchMouseEvent', { type: 'mousePressed', x: row[0], y: row[1], button: 'left', clickCount: 1 });
    await page.send('Input.dispatchMouseEvent', { type: 'mouseReleased', x: row[0], y: row[1], button: 'left', clickCount: 1 });
    expectEq(p, 'alert on click', page.dialogs, ['far@example.org']);

    // The panel moves in steps of 5 pixels and stops at the first step past its bound.
    const menu = snap.menuIn;
    const parked = Math.round(menu.left);
    const leftWhen = (cond) => page.eval(`new Promise(function(res){var t0=performance.now();(function t(){
var l=Math.round(document.getElementById('menuIn').getBoundingClientRect().left);
if((${cond})||performance.now()-t0>5000){res(l);return;}requestAnimationFrame(t);})();})`);
    await page.mouse('mouseMoved', 4, menu.top + menu.height / 2);
    const out = await leftWhen('l>=0');
    if (out < 0 || out > 4) p.push(`Scroller did not slide out: left ${out}`);
    await page.screenshot(path.join(artifacts, 'scroller-out.png'));
    await page.mouse('mouseMoved', 900, 700);
    const back = await leftWhen(`l<=${parked}`);
    if (back > parked || back <= parked - 5) p.push(`Scroller did not slide back: left ${back}, parked ${parked}`);
    p.push(...pageProblems(page.problems));
    return p;
  });
}

// ---------------------------------------------------------------------------------------------
// Without the compatibility script the same page fails the way an old-renderer page does; with
// it, it does not. The two files differ by exactly the script line.

async function compatSuite(maker, renderer) {
  const at = day(COMMON_YEAR, 3, 5);
  const events = placeEvents();
  const on = await maker.make('compat-on', { events, today: JAN1 });
  const off = await maker.make('compat-off', { events, today: JAN1, compat: false });
  await check('pages with and without the script differ by the script alone', async () => {
    const p = [];
    const a = readPage(on), b = readPage(off);
    const head = '<html>\r\n<HEAD>\r\n';
    const end = a.indexOf('</script>\r\n') + '</script>\r\n'.length;
    if (!a.startsWith(head + '<script>')) p.push('no script at the start of the head');
    if (a.slice(head.length, end).split('<script').length !== 2) p.push('more than one script element inserted');
    if (head + a.slice(end) !== b) p.push('the pages differ beyond the script');
    const bytes = fs.statSync(new URL(on)).size - fs.statSync(new URL(off)).size;
    if (bytes >= 8192) p.push(`script is ${bytes} bytes`);
    notes.push(`compatibility script: ${bytes} bytes in the page`);
    return p;
  });
  await check('without the script: two-digit-past-1900 year, script errors, hidden blocks, stray line', async () => {
    await renderer.page.goto(off + `?dwnow=${iso(at)}`);
    const deadline = Date.now() + 5000;
    while (renderer.page.problems.length < 2 && Date.now() < deadline) await new Promise((r) => setTimeout(r, 10));
    const snap = await renderer.page.eval(`(function(){var m=document.getElementById('maindate'),c=document.getElementById('cdate'),l=document.getElementsByTagName('layer')[0];
return{md:m.textContent,mdv:m.style.visibility,cdv:c.style.visibility,menu:!!document.getElementById('menuIn'),layer:l.getBoundingClientRect().width};})()`);
    const p = [];
    expectEq(p, 'main date', snap.md, '05/03/126');
    expectEq(p, 'blocks', [snap.mdv, snap.cdv, snap.menu], ['hidden', 'hidden', false]);
    expectEq(p, 'layer width', snap.layer, 377);
    const errs = renderer.page.problems.join('\n');
    if (!/menuOut/.test(errs) || !/offsetHeight/.test(errs)) p.push('expected errors missing: ' + errs);
    return p;
  });
  await check('with the script: no errors, full year, blocks placed, no stray line', async () => {
    const snap = await renderer.show(on, at);
    const p = healthy(snap);
    expectEq(p, 'main date', snap.maindate.text, '05/03/2026');
    if (!snap.layer || snap.layer.display !== 'none') p.push('layer not hidden');
    await renderer.page.screenshot(path.join(artifacts, 'compat-on.png'));
    return p;
  });
  await renderer.show(off, at, 300);
  await renderer.page.screenshot(path.join(artifacts, 'compat-off.png'));

  // An engine that has the old behaviours keeps its own: the script replaces nothing it finds
  // working, and does nothing at all in an engine too old for WeakMap.
  const src = JSON.stringify(scriptOf(on));
  const blank = path.join(maker.dir, 'blank-old.html');
  fs.writeFileSync(blank, '<html><head></head><body><div id=x>x</div></body></html>');
  await check('the script leaves behaviours an engine already has alone', async () => {
    await renderer.page.goto('file://' + blank);
    const r = await renderer.page.eval(`(function(){
var gy=function(){return this.getFullYear();};Date.prototype.getYear=gy;
var all={old:1};Object.defineProperty(document,'all',{value:all,configurable:true});
var fg=function(){return 'native';};Object.defineProperty(Element.prototype,'filters',{get:fg,configurable:true});
Object.defineProperty(CSSStyleDeclaration.prototype,'pixelLeft',{get:function(){return 42;},set:function(){},configurable:true});
var it=HTMLCollection.prototype.item;HTMLCollection.prototype.item=function(i){
return typeof i=='string'&&isNaN(i)?this.namedItem(i):it.call(this,i);};var it2=HTMLCollection.prototype.item;
(0,eval)(${src});
return [Date.prototype.getYear===gy,document.all===all,
Object.getOwnPropertyDescriptor(Element.prototype,'filters').get===fg,
document.body.style.pixelLeft===42,HTMLCollection.prototype.item===it2];})()`);
    const p = [];
    expectEq(p, 'getYear, document.all, filters, pixelLeft, item kept', r, [true, true, true, true, true]);
    await renderer.page.goto('file://' + blank);
    const r2 = await renderer.page.eval(`(function(){var sd=Object.getOwnPropertyDescriptor(HTMLElement.prototype,'style');
delete window.WeakMap;(0,eval)(${src});
return [!!document.all,new Date(2026,0,1).getYear(),Object.getOwnPropertyDescriptor(HTMLElement.prototype,'style').get===sd.get,
document.getElementsByTagName('style').length,'filters' in document.body];})()`);
    expectEq(p, 'without WeakMap nothing changes', r2, [false, 126, true, 0, false]);
    // A standards-mode document refuses unitless lengths; the script adds the unit there.
    const strict = path.join(maker.dir, 'blank-strict.html');
    fs.writeFileSync(strict, '<!DOCTYPE html><html><head></head><body><div id=x>x</div></body></html>');
    await renderer.page.goto('file://' + strict);
    const r3 = await renderer.page.eval(`(function(){(0,eval)(${src});var x=document.getElementById('x');
x.style.top=5;x.style.width=40;x.style.pixelLeft=7;x.style.color='00ff00';
return [document.compatMode,x.style.top,x.style.width,x.style.left,x.style.pixelLeft,x.style.color,getComputedStyle(x).color];})()`);
    expectEq(p, 'standards mode', r3, ['CSS1Compat', '5px', '40px', '7px', 7, '00ff00', 'rgb(0, 255, 0)']);
    return p;
  });
}

// ---------------------------------------------------------------------------------------------
// The Preview tab's sample page, with the script injected before the document exists, as the
// preview's browser view does: effects, opacities and the important line's animation work.

async function previewSuite(maker, renderer) {
  const page = renderer.page;
  const on = await maker.make('preview-source', { events: placeEvents(), today: JAN1 });
  const script = scriptOf(on).replace(/\r\n/g, '\n');
  const events = [{ name: 'Imp', date: '05/03/1980', address: 'a@example.org', mark: 1, rule: cal.NO_RULE }];
  const kinds = ['Fade', 'Blink', 'ColourBlink', 'Glow'], effects = ['Glow', 'Drop Shadow', 'Blur', 'Spooky Shadow'];
  const urls = await pool(kinds, 2, (kind, i) => maker.makePreview(`preview-${kind}`, { events,
    today: `${COMMON_YEAR}-03-05`,
    look: { ImportantAnimate: kind, NDOpacity: '80', MDOpacity: '70', MDEffect: effects[i], GlowStr: '3', BlurStr: '2' } }));
  const states = `new Promise(function(res){var seen={},t0=performance.now();(function t(){
var e=document.getElementById('cdate1'),a=e.children[0],c=getComputedStyle(e),d=getComputedStyle(a);
seen[[c.opacity,c.visibility,d.visibility,d.color,c.textShadow,d.textShadow].join('|')]=1;
if(Object.keys(seen).length>=2||performance.now()-t0>3000){res(Object.keys(seen));return;}
requestAnimationFrame(t);})();})`;
  const at = day(COMMON_YEAR, 3, 5);
  await check('preview page without the script fails', async () => {
    await renderer.show(urls[0], at, 200);
    return page.problems.some((x) => /at food/.test(x)) ? [] : ['expected the fade to fail: ' + page.problems.join('; ')];
  });
  const { identifier } = await page.send('Page.addScriptToEvaluateOnNewDocument', { source: script });
  try {
    for (let i = 0; i < kinds.length; i++) {
      await check(`preview page with the injected script, ${kinds[i]} and ${effects[i]}`, async () => {
        const snap = await renderer.show(urls[i], at, 200);
        const p = pageProblems(snap.problems);
        if (!snap.maindate || snap.maindate.textShadow === 'none') p.push(`effect ${effects[i]} not drawn`);
        expectEq(p, 'opacities', [snap.maindate && snap.maindate.opacity, snap.cdate && snap.cdate.opacity], ['0.7', '0.8']);
        const seen = await page.eval(states);
        if (seen.length < 2) p.push(`${kinds[i]}: the important line does not animate: ${JSON.stringify(seen)}`);
        if (kinds[i] === 'Glow') await page.screenshot(path.join(artifacts, 'preview-glow.png'));
        p.push(...pageProblems(page.problems));
        return p;
      });
    }
  } finally {
    await page.send('Page.removeScriptToEvaluateOnNewDocument', { identifier });
  }
}

// ---------------------------------------------------------------------------------------------
// Load time with 1,000 events, with and without the script (reported, not judged: timings on a
// shared machine vary too much for a pass/fail line).

async function timingSuite(maker, renderer) {
  // No event in February: rendered on 27 February the Scroller stays empty, so the page without
  // the script runs to the end too and both pages do the same work.
  const events = randomEvents(rng(77), 1200, 'T').filter((e) => e.date.slice(3, 5) !== '02').slice(0, 1000);
  const at = day(COMMON_YEAR, 2, 27);
  const urls = {
    on: await maker.make('timing-on', { events, today: JAN1 }),
    off: await maker.make('timing-off', { events, today: JAN1, compat: false }),
  };
  const times = { on: [], off: [] };
  const RUNS = 25;
  for (let i = 0; i < RUNS; i++) {
    for (const k of ['off', 'on']) {
      await renderer.page.goto(urls[k] + `?dwnow=${iso(at)}`);
      times[k].push(await renderer.page.eval(`performance.getEntriesByType('navigation')[0].loadEventStart`));
    }
  }
  // The script's own run, on an empty page of the same (quirks) mode.
  const script = scriptOf(urls.on);
  const blank = path.join(maker.dir, 'blank.html');
  fs.writeFileSync(blank, '<html><head></head><body></body></html>');
  const own = [];
  for (let i = 0; i < RUNS; i++) {
    await renderer.page.goto('file://' + blank);
    own.push(await renderer.page.eval(`(function(){var t=performance.now();(0,eval)(${JSON.stringify(script)});return performance.now()-t;})()`));
  }
  const median = (a) => a.slice().sort((x, y) => x - y)[a.length >> 1];
  const mOn = median(times.on.slice(3)), mOff = median(times.off.slice(3));
  notes.push(`load time with 1,000 events (median of ${RUNS - 3} runs, to the load event): ${mOn.toFixed(1)} ms with ` +
    `the script, ${mOff.toFixed(1)} ms without, difference ${(mOn - mOff).toFixed(1)} ms; the script's own run ` +
    `${median(own).toFixed(2)} ms (median)`);
  await check('with 1,000 events the page loads without problems', async () => {
    const snap = await renderer.show(urls.on, at);
    const p = healthy(snap);
    const want = cal.dueNames(events, at, 5).sort();
    expectEq(p, 'due rows', snap.rows.map((r) => r.text.split('  -  ')[0]).sort(), want);
    return p;
  });
}


// ---------------------------------------------------------------------------------------------
// Names, addresses and settings from someone else's files: shown exactly as typed, nothing of
// them runs or adds markup or style. Each hostile page is held against a plain one of the same
// shape: the same elements, the same style rules, no dialog until a row is clicked.

const HOSTILE_NAMES = ['</script><script>alert(1)</script>', 'A<!--B', '<img src=x onerror=alert(2)>',
  'x</SCRIPT >y', "it's \\' tricky", 'Tom "TJ" Jones', 'C:\\Users\\ann\\', '50% & more',
  '<b>bold</b> &amp; co', 'party \u{1F389}\u{1F600}', '\u6f22\u5b57\u30c6\u30b9\u30c8'];
const HOSTILE_ADDRESSES = ['a"b@example.org', "'><img src=x onerror=alert(3)>", '<b>x</b> &amp; &lt;',
  'x</script><script>alert(4)</script>', 'C:\\dir\\', 'caf\u00e9 \u2615'];

async function hostileSuite(maker, renderer) {
  const page = renderer.page;
  const at = day(COMMON_YEAR, 3, 5);
  const gif = Buffer.from('R0lGODlhAQABAIAAAAAAAP///yH5BAEAAAAALAAAAAABAAEAAAIBRAA7', 'base64');
  const picture = path.join(maker.dir, 'sky "one") (x.gif'), plainPicture = path.join(maker.dir, 'sky.gif');
  fs.writeFileSync(picture, gif);
  fs.writeFileSync(plainPicture, gif);
  const rows = (name, address) => HOSTILE_NAMES.map((n, i) => ({ name: name(n, i), date: `05/03/${1980 + i}`,
    address: i % 4 === 3 ? '-' : address(HOSTILE_ADDRESSES[i % HOSTILE_ADDRESSES.length], i), mark: i % 3 === 1 ? 1 : 0,
    rule: cal.NO_RULE }));
  const hostile = { events: rows((n) => n, (a) => a), look: {
    MainDateFont: 'x"; background:url(javascript:alert(5))', NameDateFont: '</style><script>alert(6)</script>',
    ScrollerFont: "Evil'); color:red; x('", NameDateFontColour: 'ff0000;}body{background:red}',
    ImportantColour: '"><script>alert(7)</script>', ScrollerBorderStyle: 'Solid; background:url(javascript:alert(8))',
    NDDateSep: '<b>', MDDateSep: "'+alert(9)+'", MDOpacity: '50);alert(10);(', Background: picture } };
  const plain = { events: rows((n, i) => `Name${i}`, (a, i) => `addr${i}@example.org`), look: {
    NameDateFontColour: 'ff0000', Background: plainPicture } };
  // What the page is made of: every element by tag, every style rule with its number of declarations.
  const shape = `(function(){var t={},r=[];var all=document.getElementsByTagName('*');
for(var i=0;i<all.length;i++)t[all[i].tagName]=(t[all[i].tagName]||0)+1;
for(var s=0;s<document.styleSheets.length;s++){var l=document.styleSheets[s].cssRules;
for(var k=0;k<l.length;k++)r.push(l[k].selectorText+':'+(l[k].style?l[k].style.length:'-'));}
return{tags:t,rules:r,background:document.body.getAttribute('background')};})()`;
  const clickAll = `(function(){var l=document.querySelectorAll('#cdate a, #menuIn a');
for(var i=0;i<l.length;i++)l[i].click();return l.length;})()`;
  for (const compat of [true, false]) {
    const [hUrl, pUrl] = await Promise.all([hostile, plain].map((x, i) =>
      maker.make(`hostile-${i ? 'plain' : 'evil'}-${compat ? 'on' : 'off'}`, { ...x, today: JAN1, compat })));
    await check(`hostile names, addresses and settings ${compat ? 'with' : 'without'} the compatibility script`, async () => {
      const p = [];
      const want = (await renderer.show(pUrl, at));
      const wantShape = await page.eval(shape);
      page.dialogs = [];
      const snap = await renderer.show(hUrl, at);
      if (compat) p.push(...healthy(snap));
      else {
        const first = (list) => list.map((x) => x.split('\n')[0]);
        expectEq(p, 'problems (as the plain page has them)', first(snap.problems), first(want.problems));
      }
      const got = await page.eval(shape);
      expectEq(p, 'elements', got.tags, wantShape.tags);
      expectEq(p, 'style rules', got.rules, wantShape.rules);
      expectEq(p, 'background picture', got.background, picture);
      expectEq(p, 'dialogs before any click', page.dialogs, []);
      const ev = hostile.events;
      expectEq(p, 'rows', snap.rows.map((r) => r.text), ev.map((e) => `${e.name}  -  ${e.date}`));
      expectEq(p, 'tool tips', snap.rows.map((r) => r.title), ev.map((e) => (e.address === '-' ? null : e.address)));
      expectEq(p, 'main date', snap.maindate && snap.maindate.text, compat ? '05/03/2026' : '05/03/126');
      if (compat) {
        if (!snap.menuIn) p.push('no Scroller');
        else for (const e of ev)
          if (!snap.menuIn.text.includes(`${e.name}  -  ${e.date}`)) p.push(`Scroller lacks ${JSON.stringify(e.name)}`);
      }
      const clicked = await page.eval(clickAll);
      const linked = ev.filter((e) => e.address !== '-').map((e) => e.address);
      expectEq(p, 'click alerts', page.dialogs, compat ? linked.concat(linked) : linked);
      expectEq(p, 'links clicked', clicked, compat ? 2 * linked.length : linked.length);
      if (compat) await page.screenshot(path.join(artifacts, 'hostile.png'));
      return p;
    });
  }
  // The Preview tab's sample page draws the same settings.
  const [hPre, pPre] = await Promise.all([hostile, plain].map((x, i) =>
    maker.makePreview(`hostile-preview-${i}`, { ...x, today: JAN1 })));
  await check('hostile settings in the preview page', async () => {
    const p = [];
    await renderer.show(pPre, at, 200);
    const wantShape = await page.eval(shape);
    page.dialogs = [];
    await renderer.show(hPre, at, 200);
    const got = await page.eval(shape);
    expectEq(p, 'elements', got.tags, wantShape.tags);
    expectEq(p, 'style rules', got.rules, wantShape.rules);
    expectEq(p, 'background picture', got.background, picture);
    expectEq(p, 'dialogs', page.dialogs, []);
    return p;
  });
}

// ---------------------------------------------------------------------------------------------

async function main() {
  fs.mkdirSync(artifacts, { recursive: true });
  const maker = new PageMaker(buildDir, path.join(buildDir, 'browser-work'));
  if (!fs.existsSync(maker.wrenpad)) throw new Error(`${maker.wrenpad} not found; build first`);
  const started = Date.now();
  const browser = await Browser.launch();
  try {
    const renderers = [];
    for (let i = 0; i < 2; i++) {
      const page = await browser.newPage();
      page.dialogs = [];
      browser.on((m) => { if (m.sessionId === page.sessionId && m.method === 'Page.javascriptDialogOpening') page.dialogs.push(m.params.message); });
      await page.setViewport(1024, 768);
      const r = new Renderer(page);
      await r.init();
      renderers.push(r);
    }
    const only = process.env.DW_BROWSER_ONLY;
    const suites = { compat: () => compatSuite(maker, renderers[0]),
      maindate: () => mainDateSuite(maker, renderers),
      positions: () => positionSuite(maker, renderers[0]),
      animation: () => animationSuite(maker, renderers[0]),
      preview: () => previewSuite(maker, renderers[0]),
      hostile: () => hostileSuite(maker, renderers[0]),
      timing: () => timingSuite(maker, renderers[0]),
      due: () => dueSuite(maker, renderers) };
    for (const [name, run] of Object.entries(suites)) {
      if (only && !only.split(',').includes(name)) continue;
      const t = Date.now();
      await run();
      console.log(`-- ${name}: done in ${((Date.now() - t) / 1000).toFixed(1)} s`);
    }
  } finally {
    await browser.close();
  }
  for (const n of notes) console.log('note: ' + n);
  console.log(`note: ${maker.count} pages written, ${((Date.now() - started) / 1000).toFixed(0)} s in all; screenshots in ${artifacts}`);
  if (failures.length > 40) console.log(`(${failures.length - 40} more failures not shown)`);
  console.log(`${passed} passed, ${failed} failed`);
  process.exitCode = failed ? 1 : 0;
}

main().catch((e) => { console.error(e); console.log(`${passed} passed, ${failed + 1} failed`); process.exitCode = 1; });
