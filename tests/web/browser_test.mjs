// The program in a real browser: the one HTML file loaded in headless Chromium, driven through the
// DevTools protocol (keys and the mouse as the browser's own events), its canvas read back pixel by
// pixel and set beside what the native program draws of the same page.
//
//   node browser_test.mjs <section> <html> <native program> <examples folder>
//
// Sections: file (one file, opened from disk, soon), lesson (the same lesson as the window's), work
// (no input breaks the page, and no way of leaving it loses work), exercise (a task from a link,
// asked and checked, then the next task), print (the pictures' controls and the print view), phone
// (the page on a phone, by touch). And the README's pictures of the page on a phone, a tablet and a
// projector, which no test runs: `pictures`, its folder after the examples'.

import { spawn, spawnSync, execFileSync } from 'node:child_process';
import crypto from 'node:crypto';
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';

const [section, html, program, examples, pictures] = process.argv.slice(2);
if (!fs.existsSync(html)) {
  console.log(`FAILED: ${html} is not there: bash scripts/web.sh makes it`);
  process.exit(1);
}
const work = fs.mkdtempSync(path.join(os.tmpdir(), 'browser-'));
let failures = 0;
function check(ok, what) {
  console.log(`${ok ? 'ok' : 'FAILED'}: ${what}`);
  if (!ok) failures++;
}
const sleep = ms => new Promise(r => setTimeout(r, ms));

// A WebSocket to the browser, enough of one for the DevTools protocol: text messages each way (the
// client's masked, the browser's whole or in pieces), with any node.
function connect(address) {
  const url = new URL(address);
  return new Promise((resolve, reject) => {
    const request = http.request({ host: url.hostname, port: url.port, path: url.pathname, headers: {
      Connection: 'Upgrade', Upgrade: 'websocket', 'Sec-WebSocket-Version': '13',
      'Sec-WebSocket-Key': crypto.randomBytes(16).toString('base64') } });
    request.on('error', reject);
    request.on('upgrade', (response, socket) => {
      const listeners = [];
      let buffer = Buffer.alloc(0), pieces = [];
      socket.on('data', data => {
        buffer = Buffer.concat([buffer, data]);
        for (;;) {
          if (buffer.length < 2) return;
          // The length's code: the length itself below 126, else 126 for two bytes of length, 127 for
          // eight (a message of 127 bytes has the code 126, then 127 in its two bytes).
          const code = buffer[1] & 127;
          let length = code, at = 2;
          if (code === 126) { if (buffer.length < 4) return; length = buffer.readUInt16BE(2); at = 4; }
          if (code === 127) { if (buffer.length < 10) return; length = Number(buffer.readBigUInt64BE(2)); at = 10; }
          if (buffer.length < at + length) return;
          const fin = buffer[0] & 128, opcode = buffer[0] & 15;
          if (opcode === 1 || opcode === 0) pieces.push(buffer.subarray(at, at + length));
          buffer = buffer.subarray(at + length);
          if (fin && (opcode === 1 || opcode === 0)) {
            const text = Buffer.concat(pieces).toString('utf8');
            pieces = [];
            for (const listener of listeners) listener(text);
          }
        }
      });
      resolve({
        onMessage: listener => listeners.push(listener),
        send(text) {
          const payload = Buffer.from(text, 'utf8'), mask = crypto.randomBytes(4);
          const head = payload.length < 126 ? Buffer.from([129, 128 | payload.length])
            : payload.length < 65536 ? Buffer.from([129, 254, payload.length >> 8, payload.length & 255])
            : Buffer.concat([Buffer.from([129, 255]), (() => { const b = Buffer.alloc(8); b.writeBigUInt64BE(BigInt(payload.length)); return b; })()]);
          for (let i = 0; i < payload.length; i++) payload[i] ^= mask[i % 4];
          socket.write(Buffer.concat([head, mask, payload]));
        },
        close() { socket.destroy(); },
      });
    });
    request.end();
  });
}

// Chromium, headless, its canvas 1024 by 700 beside the page's 360-pixel panel. A browser that does
// not start (on a loaded machine it can be slow to) is started again, twice at most.
async function browser() {
  for (let attempt = 1; ; attempt++) {
    try {
      return await startBrowser(attempt);
    } catch (error) {
      if (attempt === 3) throw error;
      console.log(`${error.message}: starting it again`);
    }
  }
}

async function startBrowser(attempt) {
  const chrome = spawn('chromium', ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
    '--disable-background-networking', '--disable-component-update', '--disable-sync', '--hide-scrollbars',
    `--user-data-dir=${path.join(work, `profile-${attempt}`)}`, '--remote-debugging-port=0', '--window-size=1384,700',
    'about:blank'], { stdio: ['ignore', 'ignore', 'pipe'] });
  const socket = await new Promise((resolve, reject) => {
    let text = '';
    chrome.stderr.on('data', d => {
      text += d;
      const m = text.match(/DevTools listening on (ws:\S+)/);
      if (m) resolve(m[1]);
    });
    setTimeout(() => reject(new Error('chromium did not start')), 20000);
  }).then(connect).catch(error => { chrome.kill(); throw error; });
  let id = 0;
  const waiting = new Map();
  const events = [];  // the browser's events, as they come: { method, params }
  socket.onMessage(text => {
    const m = JSON.parse(text);
    if (m.id && waiting.has(m.id)) { waiting.get(m.id)(m); waiting.delete(m.id); }
    if (m.method) events.push(m);
  });
  const send = (method, params = {}, sessionId) => new Promise(resolve => {
    waiting.set(++id, resolve);
    socket.send(JSON.stringify({ id, method, params, sessionId }));
  });
  const { result: { targetId } } = await send('Target.createTarget', { url: 'about:blank' });
  const { result: { sessionId } } = await send('Target.attachToTarget', { targetId, flatten: true });
  const page = (method, params) => send(method, params, sessionId);
  await page('Page.enable');
  await page('Emulation.setDeviceMetricsOverride', { width: 1384, height: 700, deviceScaleFactor: 1, mobile: false });
  await page('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: work });
  const evaluate = async expression => {
    const r = await page('Runtime.evaluate', { expression, returnByValue: true, awaitPromise: true });
    return r.result.result.value;
  };
  return {
    // Loads the file anew (with a fragment) and waits until the program has shown its first
    // picture; returns the milliseconds from the start of the load to that picture, as the page
    // itself timed them.
    async open(fragment) {
      // The page's leave handler runs before the blank page comes: wait for it, so that the next
      // navigation does not meet the last one still under way.
      await page('Page.navigate', { url: 'about:blank' });
      for (const end = Date.now() + 20000; Date.now() < end; await sleep(5)) {
        if (await evaluate(`location.href`) === 'about:blank') break;
      }
      await page('Page.navigate', { url: `file://${path.resolve(html)}${fragment ? '#' + fragment : ''}` });
      for (const end = Date.now() + 20000; Date.now() < end; await sleep(5)) {
        if (await evaluate(`window.programReady === true && document.getElementById('canvas').hasAttribute('aria-label')`)) break;
      }
      return evaluate(`(performance.getEntriesByName('first-picture')[0] || { startTime: 1e9 }).startTime`);
    },
    evaluate,
    page,
    // The events of `method` that came since the last call, and forgets them.
    took(method) {
      const found = events.filter(e => e.method === method);
      events.splice(0, events.length, ...events.filter(e => e.method !== method));
      return found;
    },
    // Reloads the page as a user would; a prompt before leaving is answered `leave`. Returns the kinds
    // of the prompts the page raised, and waits for the program's first picture after the reload.
    async reload(leave) {
      this.took('Page.javascriptDialogOpening');
      const reloaded = page('Page.reload');
      const prompts = [];
      for (const end = Date.now() + 3000; Date.now() < end && prompts.length === 0; await sleep(20)) {
        for (const e of this.took('Page.javascriptDialogOpening')) {
          prompts.push(e.params.type);
          await page('Page.handleJavaScriptDialog', { accept: leave });
        }
      }
      await reloaded;
      if (leave || prompts.length === 0) {
        await sleep(300);
        for (const end = Date.now() + 20000; Date.now() < end; await sleep(5)) {
          if (await evaluate(`window.programReady === true && document.getElementById('canvas').hasAttribute('aria-label')`)) break;
        }
      }
      return prompts;
    },
    async key(key, code, keyCode) {
      for (const type of ['keyDown', 'keyUp']) {
        await page('Input.dispatchKeyEvent', { type, key, code, windowsVirtualKeyCode: keyCode, text: type === 'keyDown' && key.length === 1 ? key : undefined });
      }
      await sleep(150);
    },
    // A left-drag, the pointer moving there in `moves` steps, each ten pixels aside of the last, as
    // fast as a mouse sends them: the browser's mouse events, made in the page (no moves: a click).
    async drag(x0, y0, x1, y1, moves = 0) {
      await evaluate(`(() => {
        const c = document.getElementById('canvas');
        const mouse = (type, x, y, buttons) => c.dispatchEvent(new MouseEvent(type, { clientX: x, clientY: y, button: 0, buttons, bubbles: true }));
        mouse('mousedown', ${x0}, ${y0}, 1);
        for (let i = 1; i <= ${moves}; i++) mouse('mousemove', ${x0} + ${x1 - x0} * i / ${moves} + (i % 2 && i < ${moves} ? 10 : 0), ${y0} + ${y1 - y0} * i / ${moves}, 1);
        mouse('mouseup', ${x1}, ${y1}, 0);
      })()`);
      await sleep(150);
    },
    // Fingers on the screen, as the browser's touch input: `frames` the places of the fingers down,
    // each a list of [x, y] in CSS pixels (a finger by its place in the list), one frame after the
    // other `pause` ms apart (a frame with more fingers puts the new ones down); then all lift.
    async touch(frames, pause = 20) {
      let down = 0;
      for (const frame of frames) {
        const touchPoints = frame.map(([x, y], id) => ({ x, y, id }));
        await page('Input.dispatchTouchEvent', { type: frame.length > down ? 'touchStart' : 'touchMove', touchPoints });
        down = frame.length;
        await sleep(pause);
      }
      await page('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [] });
      await sleep(150);
    },
    // The canvas's pixels, red, green, blue and alpha, row by row from the top.
    async canvas() {
      const data = await evaluate(`(() => { const c = document.getElementById('canvas');
        const d = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
        let s = '';
        for (let i = 0; i < d.length; i += 32768) s += String.fromCharCode.apply(null, d.subarray(i, i + 32768));
        return { w: c.width, h: c.height, p: btoa(s) }; })()`);
      const p = Buffer.from(data.p, 'base64');
      return { w: data.w, h: data.h, at: (x, y) => [...p.subarray(4 * (y * data.w + x), 4 * (y * data.w + x) + 3)] };
    },
    close() { socket.close(); chrome.kill(); },
  };
}

// What the native program draws of a page: its SVG drawn by another renderer, as rows of pixels.
function nativePage(input, page) {
  const folder = path.join(work, 'native');
  fs.rmSync(folder, { recursive: true, force: true });
  execFileSync(program, ['--svg', folder], { input });
  const png = path.join(work, 'native.rgb');
  execFileSync('sh', ['-c', `rsvg-convert -w 1024 -h 700 '${folder}/strana-${String(page).padStart(3, '0')}.svg' | convert png:- -depth 8 rgb:'${png}'`]);
  const p = fs.readFileSync(png);
  return { console: dialogueOf(input), at: (x, y) => [...p.subarray(3 * (y * 1024 + x), 3 * (y * 1024 + x) + 3)] };
}

// What the console program prints for `input` (with its options `args`): the dialogue alone, as the
// page's console panel holds it, the window failing to open on a display that is not there.
const dialogueOf = (input, args = []) =>
  spawnSync(program, args, { input, env: { ...process.env, DISPLAY: ':4242' } }).stdout.toString('latin1');

// An ink of the program's palette (viewer/palette.h) in 8 bits, and a pixel within `tolerance` of it on
// every channel: the diagonals' red closer than 40, clear of the stack panel's strike; the rings'
// magenta further, one pixel wide and smoothed by each renderer its own way.
const palette = fs.readFileSync(new URL('../../viewer/palette.h', import.meta.url), 'utf8');
const inkOf = name => {
  const found = palette.match(new RegExp(`\\b${name}\\{([0-9.]+)f, ([0-9.]+)f, ([0-9.]+)f`));
  if (!found) throw new Error(`no ${name} in viewer/palette.h`);
  return found.slice(1, 4).map(v => Math.round(Number(v) * 255));
};
const inkNear = (ink, tolerance) => c => ink.every((v, i) => Math.abs(c[i] - v) <= tolerance);
const red = inkNear(inkOf('OppositeInk'), 30);
const blue = inkNear(inkOf('SameInk'), 40);
const magenta = inkNear(inkOf('WhyInk'), 70);
const black = c => c[0] < 60 && c[1] < 60 && c[2] < 60;

// Every pixel of a kind in the native picture (of the polygon: not the text bands) has one of the
// same kind within a pixel on the canvas (`onCanvas`: as that kind, or a little lighter where a
// line of one pixel falls between two rows and each renderer smooths it its own way).
function sameInk(canvas, native, wanted, top, bottom, onCanvas = wanted) {
  let seen = 0, found = 0;
  for (let y = top + 1; y < bottom - 1; y++) {
    for (let x = 1; x < 1023; x++) {
      if (!wanted(native.at(x, y))) continue;
      seen++;
      let near = false;
      for (let dy = -1; dy <= 1 && !near; dy++) for (let dx = -1; dx <= 1 && !near; dx++) near = onCanvas(canvas.at(x + dx, y + dy));
      if (near) found++;
    }
  }
  return { seen, found };
}

const b = await browser();
// What the page says: the canvas's texts, and the console panel's.
const label = () => b.evaluate(`document.getElementById('canvas').getAttribute('aria-label')`);
const consoleText = () => b.evaluate(`document.getElementById('console').textContent`);
// An example file's vertices as a link writes them.
const verticesOf = text => text.trim().split('\n').slice(1).map(l => l.trim().split(/\s+/).join(',')).join(';');
try {
  if (section === 'file') {
    const bytes = fs.statSync(html).size;
    console.log(`the file: ${(bytes / 1e6).toFixed(2)} MB`);
    check(bytes < 1.5e6, 'one file small enough to send by e-mail (under 1.5 MB)');
    await b.open('');  // once, so that the browser has its own parts loaded
    const times = [];
    for (let i = 0; i < 5; i++) times.push(await b.open('p=1&v=0,10;6,9;1,7;7,5;2,3;5,0;-4,2;-1,6'));
    times.sort((x, y) => x - y);
    console.log(`from the start of the load to the first picture, as the page times it, median of 5: ${times[2].toFixed(0)} ms`);
    check(times[2] < 1000, 'the first picture within a second');
    const canvas = await b.canvas();
    check(canvas.w === 1024 && canvas.h === 700, 'the canvas fills the window beside the panel');
    // Vertex 1 of the example, (0,10): the bounds -4..7 by 0..10 framed in the canvas above its row of buttons.
    const [cx, cy, cw, ch] = await b.evaluate(`JSON.parse(program.frame()).clip`);
    const pixels = (ch / 2) / (Math.max(10, 11 * ch / cw) * Math.tan(Math.PI / 6));
    const dot = canvas.at(Math.round(cx + cw / 2 - 1.5 * pixels), Math.round(cy + ch / 2 - 0.5 - 5 * pixels));
    check(blue(dot), 'the outline is drawn, its vertex showing the last diagonal through it');
    await b.open('p=2&v=0,0;1');
    check((await label()).includes('Adresa se ne može pročitati: teme 2 nije par brojeva x,y.'), 'a link that cannot be read says why');
    check((await b.evaluate('location.hash')) === '#p=2&v=0,0;1', 'and is left as it was');
    // In the same page, a link with escapes (as a mail program may write it), then one that cannot be
    // read: the empty page, its console started anew, where S has nothing to save.
    await b.evaluate(`location.hash = 'p=1&v=0%2C0%3B4%2C0%3B0%2C3'`);
    await sleep(100);
    check((await b.evaluate('program.fragment()')) === 'p=1&v=0,0;4,0;0,3', 'a link with escapes opens its polygon');
    await b.evaluate(`location.hash = 'p=1&v=0;1'`);
    await b.key('s', 'KeyS', 83);
    await sleep(300);
    check(!fs.existsSync(path.join(work, 'poligon-1.txt')) && (await consoleText()) === '',
          'the empty page from a bad link: its console empty, S saves nothing');
    // A polygon drawn there: the link follows it once it is closed, and keeps it while the next is drawn.
    await b.key('e', 'KeyE', 69);
    await b.key('n', 'KeyN', 78);
    for (const [x, y] of [[300, 250], [700, 250], [500, 450]]) await b.drag(x, y, x, y);
    await b.key('Enter', 'Enter', 13);
    const drawn = await b.evaluate('location.hash');
    check(drawn.startsWith('#p=1&v=') && drawn === '#' + await b.evaluate('program.fragment()'), `the link follows a polygon drawn on the empty page (${drawn})`);
    await b.key('n', 'KeyN', 78);
    await b.drag(400, 300, 400, 300);
    const drawing = await b.evaluate('location.hash');
    check(drawing.startsWith(drawn + '&n=') && drawing.split('&n=')[1].split(';').length === 1,
          `and keeps it while a new one is drawn, the new one's first vertex after it (${drawing})`);
  } else if (section === 'print') {
    // The panel's controls give I's picture its size and white; D builds the print view, a sheet a
    // page of the lesson, each the program's picture of it, and the browser prints it a page a sheet.
    const example = fs.readFileSync(path.join(examples, 'monotoni.txt'), 'latin1');
    await b.open(`p=3&v=${verticesOf(example)}`);
    check((await b.evaluate('document.documentElement.lang')) === 'sr-Latn', 'the page says its language, Serbian Latin');
    await b.evaluate(`(() => {
      const size = document.getElementById('size');
      size.value = '1280x720';
      size.dispatchEvent(new Event('change'));
      const white = document.getElementById('white');
      white.checked = true;
      white.dispatchEvent(new Event('change'));
      document.getElementById('canvas').focus();
    })()`);
    await b.key('i', 'KeyI', 73);
    await sleep(500);
    const picture = path.join(work, 'slika-1.svg');
    const svg = fs.existsSync(picture) ? fs.readFileSync(picture, 'utf8') : '';
    check(svg.includes('width="1280" height="720"') && svg.includes('<rect width="1280" height="720" fill="#ffffff"/>'),
          'I downloads the picture at the size and on the white the controls ask for');
    await b.evaluate(`window.print = () => { window.printed = (window.printed || 0) + 1; }`);
    await b.key('d', 'KeyD', 68);
    const sheets = await b.evaluate(`[...document.querySelectorAll('#print .sheet')].map(s => [s.querySelector('svg title').textContent,
      s.querySelector('svg').getAttribute('width'), s.querySelectorAll('[clip-path="url(#picture-' + [...s.parentNode.children].indexOf(s) + ')"]').length])`);
    check((await b.evaluate('window.printed')) === 1, 'D opens the browser\'s print');
    check(sheets.length === 16 && sheets.every(([title, width, clips], k) =>
      title.startsWith(`Strana ${k + 1} od 16`) && width === '1280' && clips === 1),
          `a sheet for every page of the lesson, in order, each its own picture (${JSON.stringify(sheets.map(s => s[0]))})`);
    check((await label()).includes('Lekcija (16 strana) je spremna za štampu'), 'the band says what to do with it');
    check((await b.evaluate(`getComputedStyle(document.getElementById('print')).display`)) === 'none', 'on the screen the page stays as it was');
    const { result: { data } } = await b.page('Page.printToPDF', { preferCSSPageSize: true });
    const printed = path.join(work, 'printed.pdf');
    fs.writeFileSync(printed, Buffer.from(data, 'base64'));
    const info = execFileSync('pdfinfo', [printed]).toString();
    check(/Pages:\s+16\n/.test(info), `printed, the lesson is a page a sheet (${info.match(/Pages:\s+\d+/)})`);
  } else if (section === 'work') {
    const example = fs.readFileSync(path.join(examples, 'monotoni.txt'), 'latin1');
    const show = text => b.evaluate(`(() => { document.getElementById('input').value = ${JSON.stringify(text)};
                                            document.getElementById('show').click(); })()`);
    // A refused input: the canvas says so too, and no longer shows the polygon before it.
    await b.open(`p=1&v=${verticesOf(example)}`);
    await show('2,5');
    let said = await label();
    check(said.includes('Unos je prekinut. Neispravan broj temena ("2,5"): unesite ceo broj od 1 do 100.') &&
          !said.includes('Poligon je monoton'), `a refused input: the band says why, the old polygon is gone (${said})`);
    check((await consoleText()).includes('Neispravan broj temena ("2,5")'), 'and the console names the refused token');
    // Input longer than the page takes, from the box and from a link: refused with its line, and
    // the page goes on working.
    const long = '3\n' + ' '.repeat(1500000) + '0 0 1 0 0 1\n';
    await show(long);
    check((await label()).includes(`Unos je predugačak: ${long.length} znakova, a najviše je 100000.`), 'a long input is refused with its line');
    await show(example);
    check((await label()).includes('Poligon je monoton. Broj dijagonala: 5.'), 'and the next polygon is shown as ever');
    await b.evaluate(`location.hash = 'p=1&v=' + '0,0;'.repeat(400000)`);
    await sleep(300);
    check((await label()).includes('Unos je predugačak: 1600006 znakova'), 'a long link too');
    await b.evaluate(`location.hash = ${JSON.stringify('p=1&v=' + verticesOf(example))}`);
    await sleep(300);
    check((await label()).includes('Poligon je monoton. Broj dijagonala: 5.'), 'and a good link after it');
    // Edits: the box and the console follow the polygon shown.
    await b.key('e', 'KeyE', 69);
    const [cx, cy, cw, ch] = await b.evaluate(`JSON.parse(program.frame()).clip`);
    const eye = Math.max(10, 11 * ch / cw), pixels = (ch / 2) / (eye * Math.tan(Math.PI / 6));
    const at = (x, y) => [cx + cw / 2 + (x - 1.5) * pixels, cy + ch / 2 - (y - 5) * pixels];
    const [vx, vy] = at(7, 5);  // vertex 4, dragged below vertex 5: the polygon is no longer monotone
    await b.drag(vx, vy, vx, vy + 2.5 * pixels, 20);
    const box = await b.evaluate(`document.getElementById('input').value`);
    check(box === await b.evaluate('program.polygonText()') && box !== example, 'the box holds the edited polygon');
    check((await consoleText()) === dialogueOf(box), 'the console holds the dialogue for it, byte for byte');
    said = await label();
    check(said.includes('Poligon nije monoton.') && (await consoleText()).endsWith('nije monoton.\n'),
          `and both say what the picture says (${said})`);
    // "Prikaži" with edits unsaved warns first, as Q does in the window; the second replaces them.
    const edited = await b.evaluate('program.fragment()');
    await show(example);
    // A loaded machine may take its time over the page's own events: the answer is awaited, not raced.
    const warned = async () => (await label()).includes('Izmene nisu sačuvane: S čuva, Prikaži još jednom zamenjuje poligon.') &&
                               (await b.evaluate('program.fragment()')) === edited;
    for (let i = 0; i < 20 && !(await warned()); i++) await sleep(100);
    check(await warned(), `"Prikaži" with edits unsaved only warns (${await label()})`);
    // Leaving the page with them unsaved: the browser asks, and staying keeps them.
    check((await b.reload(false)).includes('beforeunload') && (await b.evaluate('program.fragment()')) === edited,
          'a reload with edits unsaved asks first, and staying keeps them');
    await show(example);
    await show(example);
    check((await b.evaluate('program.fragment()')) !== edited && !(await b.evaluate('program.unsaved()')),
          'the second "Prikaži" replaces the edited polygon');
    // A new polygon under way survives a reload.
    await b.key('e', 'KeyE', 69);
    await b.key('n', 'KeyN', 78);
    for (const [x, y] of [[300, 250], [600, 250]]) await b.drag(x, y, x, y);
    await sleep(200);
    const prompts = await b.reload(true);
    const after = await b.evaluate('program.fragment()');
    check(prompts.includes('beforeunload') && /&n=[^;]+;[^;]+$/.test(after) && (await label()).includes('Novi poligon:'),
          `a new polygon under way comes back after a reload, its two vertices with it (${after})`);
  } else if (section === 'phone') {
    // A phone held upright: 390 by 844 CSS pixels, three device pixels to each, touch for a mouse.
    await b.page('Emulation.setDeviceMetricsOverride', { width: 390, height: 844, deviceScaleFactor: 3, mobile: true });
    await b.page('Emulation.setTouchEmulationEnabled', { enabled: true, maxTouchPoints: 5 });
    const example = fs.readFileSync(path.join(examples, 'monotoni.txt'), 'latin1');
    await b.open(`p=1&v=${verticesOf(example)}`);
    // The canvas's words, its lines (wrapped to the phone's width) joined again.
    const words = async () => (await label()).replace(/\n/g, ' ');
    // The polygon's vertices where the frame's outline has them, in CSS pixels (the frame's are the device's).
    const outline = async () => {
      const n = Number((await b.evaluate('program.polygonText()')).split('\n')[0]);
      const s = JSON.parse(await b.evaluate('program.frame()')).shapes.find(s => s.k === 0 && s.c === 'rgba(0,0,0,1.000)' && s.p.length === 4 * n);
      return s ? [...Array(n).keys()].map(i => [s.p[4 * i] / 3, s.p[4 * i + 1] / 3]) : [];
    };
    const box = id => b.evaluate(`(() => { const r = document.getElementById('${id}').getBoundingClientRect();
      return { x: r.x, y: r.y, w: r.width, h: r.height, shown: r.width > 0 }; })()`);
    const tap = async id => { const r = await box(id); await b.touch([[[r.x + r.w / 2, r.y + r.h / 2]]]); };
    const page = async () => ((await words()).match(/Strana (\d+) od/) || [])[1];
    const canvas = await box('canvas');
    const pixels = await b.evaluate(`document.getElementById('canvas').width`);
    let v = await outline();
    const xs = v.map(p => p[0]);
    check(canvas.w >= 0.9 * 390 && pixels === 3 * canvas.w && !(await box('side')).shown,
          `the canvas takes the width, in the device's pixels, the panel folded away (${canvas.w} of 390, ${pixels} pixels)`);
    check(Math.max(...xs) - Math.min(...xs) >= 0.8 * canvas.w, `and the polygon fills it (${Math.min(...xs).toFixed(0)} to ${Math.max(...xs).toFixed(0)})`);
    // A finger turns the pages: swipes to the left, a tap on the right half, one on the left half, a
    // swipe to the right; a swipe upwards is none.
    const swipe = (x0, y0, x1, y1) => b.touch([...Array(9).keys()].map(i => [[x0 + (x1 - x0) * i / 8, y0 + (y1 - y0) * i / 8]]));
    const turns = [];
    for (const gesture of [() => swipe(300, 400, 100, 420), () => swipe(250, 300, 50, 290), () => b.touch([[[330, 400]]]),
                           () => b.touch([[[60, 400]]]), () => swipe(100, 400, 300, 380), () => swipe(200, 600, 210, 300)]) {
      await gesture();
      turns.push(await page());
    }
    check(turns.join() === '2,3,4,3,2,2', `swipes and taps turn the pages as they should (${turns})`);
    // The row of buttons drawn along the canvas's bottom: each a finger wide and tall, in the canvas;
    // a tap on ">" is the next page, on "<" the previous.
    const drawn = async () => JSON.parse(await b.evaluate('program.frame()')).buttons;
    const tapDrawn = async label => {
      const button = (await drawn()).find(button => button.label === label) || { x: 0, y: 0, w: 0, h: 0 };
      await b.touch([[[(button.x + button.w / 2) / 3, (button.y + button.h / 2) / 3]]]);
    };
    const row = (await drawn()).filter(button => ['<', '>', 'P', 'E', 'V', 'H', 'F'].includes(button.label));
    check(row.length === 7 && row.every(button => button.w >= 3 * 44 - 1 && button.h >= 3 * 44 - 1 && button.x >= 0 &&
                                                  button.x + button.w <= pixels),
          `the row of buttons is a finger wide on the phone (${row.map(button => `${button.label} ${button.w / 3}x${button.h / 3}`)})`);
    await tapDrawn('>');
    const onward = await page();
    await tapDrawn('<');
    check(onward === '3' && (await page()) === '2', `a tap on the drawn ">" and "<" turns the page (${onward}, ${await page()})`);
    // Two fingers from 80 to 160 pixels apart, their middle moved by (20, 30): every vertex twice as far
    // from the middle, which it follows.
    const [c0, c1] = [[195, 450], [215, 480]];
    v = await outline();
    await b.touch([[[155, 450]], [[155, 450], [235, 450]],
                   ...[...Array(10).keys()].map(i => [[155 - 2 * (i + 1), 450 + 3 * (i + 1)], [235 + 6 * (i + 1), 450 + 3 * (i + 1)]])]);
    const zoomed = await outline();
    const off = Math.max(...zoomed.map((p, i) => Math.hypot(p[0] - (c1[0] + 2 * (v[i][0] - c0[0])), p[1] - (c1[1] + 2 * (v[i][1] - c0[1])))));
    check(zoomed.length === 8 && off < 1, `a pinch zooms about its middle and pans with it (${off.toFixed(2)} pixels off)`);
    // The panel opens over the canvas from its button and closes again; "Ceo poligon" frames the polygon anew.
    await tap('menu');
    const side = await box('side');
    const opened = [side.shown && side.x < canvas.x + canvas.w, await b.evaluate(`document.getElementById('menu').textContent`)];
    await tap('menu');
    check(opened.join() === 'true,Zatvori' && !(await box('side')).shown &&
          (await b.evaluate(`document.getElementById('menu').textContent`)) === 'Meni' && (await box('canvas')).w === canvas.w,
          `"Meni" opens the panel over the canvas, "Zatvori" closes it (${opened})`);
    const command = async name => {
      await tap('menu');
      await b.evaluate(`[...document.querySelectorAll('#commands button')].find(b => b.textContent.startsWith('${name}')).click()`);
      await sleep(150);
    };
    await command('Ceo poligon');
    check(JSON.stringify(await outline()) === JSON.stringify(v) && !(await box('side')).shown, 'a command of the panel gives its key, and the panel folds away');
    // Editing, on the full picture (where the picture holds still as the polygon's kind changes): a
    // long press a little beside a vertex removes it, a tap beside an edge inserts one, a finger
    // beside a vertex drags it.
    await b.key('End', 'End', 35);
    await command('Uređivanje');
    v = await outline();
    const count = async () => Number((await b.evaluate('program.polygonText()')).split('\n')[0]);
    await b.touch([[[v[2][0] + 8, v[2][1] + 6]]], 900);
    const removed = await count();
    v = await outline();
    const middle = [(v[0][0] + v[1][0]) / 2, (v[0][1] + v[1][1]) / 2];
    await b.touch([[[middle[0], middle[1] + 10]]]);
    const inserted = await count();
    v = await outline();
    await b.touch([...Array(11).keys()].map(i => [[v[3][0] - 8 - 3 * i, v[3][1] + 4.5 * i]]));
    const dragged = await outline();
    check((await words()).includes('Uređivanje:') && removed === 7 && inserted === 8 &&
          Math.abs(dragged[3][0] - v[3][0] + 30) < 1 && Math.abs(dragged[3][1] - v[3][1] - 45) < 1 && dragged[4].join() === v[4].join(),
          `a finger removes (${removed}), inserts (${inserted}) and drags vertices (${v[3].map(Math.round)} to ${dragged[3].map(Math.round)})`);
    for (let i = 0; i < 3; i++) await command('Vrati');
    check(!(await b.evaluate('program.unsaved()')), '"Vrati" takes the three edits back');
    // The exercise: a tap answers with the button drawn, a tap beside a vertex chooses it, "Potvrdi" gives the answer.
    await b.open(`p=1&vezba=1&v=${verticesOf(example)}`);
    const buttons = JSON.parse(await b.evaluate('program.frame()')).buttons;
    const yes = buttons.find(button => button.label.startsWith('D ')) || { x: 0, y: 0, w: 0, h: 0 };
    await b.touch([[[(yes.x + yes.w / 2) / 3, (yes.y + yes.h) / 3 + 5]]]);
    const answered = await words();
    await b.touch([[[330, 400]]]);
    await b.touch([[[330, 400]]]);
    const confirming = async () => (await drawn()).some(button => button.label === 'Potvrdi (Enter)');
    const asking = (await words()).includes('Do kojih temena ide dijagonala iz temena 3?') && await confirming();
    v = await outline();
    await b.touch([[[v[0][0] - 9, v[0][1] + 5]]]);
    const chosen = await words();
    await tapDrawn('Potvrdi (Enter)');
    check(answered.includes('Tačno.') && asking && chosen.includes('Izabrano: 1') && (await words()).includes(' od 2') && !(await confirming()),
          `taps answer the exercise (${buttons.map(button => button.label)}; ${chosen.match(/Izabrano: [^\n]*/)})`);
    // The guards' count, the last question: stepped up by "+" to 2 and confirmed, no keyboard needed.
    await b.key('End', 'End', 35);
    for (let i = 0; i < 60 && !(await words()).includes('Koliko čuvara je dovoljno?'); i++) await b.key('ArrowLeft', 'ArrowLeft', 37);
    const counting = (await words()).includes('Koliko čuvara je dovoljno?');
    await tapDrawn('+');
    await tapDrawn('+');
    const typed = await words();
    await tapDrawn('Potvrdi (Enter)');
    check(counting && typed.includes('Kucate 2.') && /Tačno\. Dovoljno je|Netačno: 2/.test(await words()),
          `a finger answers how many guards suffice (${(await words()).match(/(Tačno|Netačno)[^\n]*/)})`);
  } else if (section === 'pictures') {
    // The example at its fourth step, as a phone, a tablet and a projector show it.
    const example = fs.readFileSync(path.join(examples, 'monotoni.txt'), 'latin1');
    for (const [name, width, height, deviceScaleFactor, mobile] of [['phone', 390, 844, 3, true], ['tablet', 820, 1180, 2, true],
                                                                    ['projector', 1920, 1080, 1, false]]) {
      await b.page('Emulation.setDeviceMetricsOverride', { width, height, deviceScaleFactor, mobile });
      await b.page('Emulation.setTouchEmulationEnabled', { enabled: mobile, maxTouchPoints: 5 });
      await b.open(`p=5&v=${verticesOf(example)}`);
      await sleep(300);
      const { result: { data } } = await b.page('Page.captureScreenshot', { format: 'png' });
      fs.writeFileSync(path.join(pictures, `${name}.png`), Buffer.from(data, 'base64'));
      console.log(`wrote ${path.join(pictures, name + '.png')}`);
    }
  } else if (section === 'exercise') {
    // A teacher's link: task 4711 with the exercise on. The page's polygon is the native program's
    // for --zadatak 4711, byte for byte on the console; the first question waits on the full picture.
    await b.open('z=4711&vezba=1');
    const taskConsole = task => dialogueOf('', ['--zadatak', String(task)]);
    check((await consoleText()) === taskConsole(4711), 'task 4711 is the same polygon in the page as in the window');
    let said = await label();
    check(said.includes('Zadatak 4711. Strana 1 od ') && said.includes('Pitanje 1 od ') && said.includes('Da li je poligon monoton?'),
          'the link opens the task, asked first');
    const hash = await b.evaluate('location.hash');
    check(hash.startsWith('#p=1&z=4711&vezba=1&v='), `the address holds the task and the exercise (${hash})`);
    await b.key('n', 'KeyN', 78);
    said = await label();
    check(said.includes('Tačno. Poligon nije monoton') && said.includes('Rezultat: 1 od 1'), 'N answers, right, and the score says so');
    // The cut's vertices in turn until one is not a start vertex: each vertex's type worked out here
    // from its neighbours, its button clicked; then its diagonal, answered with Enter alone.
    const v = (await b.evaluate('program.fragment()')).split('&v=')[1].split(';').map(p => p.split(',').map(Number));
    const n = v.length;
    let area = 0;
    for (let i = 0; i < n; i++) area += v[i][0] * v[(i + 1) % n][1] - v[(i + 1) % n][0] * v[i][1];
    const before = (p, q) => p[1] > q[1] || (p[1] === q[1] && p[0] < q[0]);
    await b.key('ArrowRight', 'ArrowRight', 39);
    let typed = 0, right = 1;
    for (let type = 0; type === 0 && typed < n; typed++) {
      await b.key('ArrowRight', 'ArrowRight', 39);
      said = await label();
      const asked = said.match(/Koje je vrste teme (\d+)\?/);
      if (!asked) break;
      const k = Number(asked[1]) - 1, a = v[(k + n - 1) % n], c = v[(k + 1) % n], o = v[k];
      const reflex = Math.sign(area) * ((o[0] - a[0]) * (c[1] - a[1]) - (o[1] - a[1]) * (c[0] - a[0])) < 0;
      type = before(o, a) && before(o, c) ? (reflex ? 2 : 0) : before(a, o) && before(c, o) ? (reflex ? 3 : 1) : 4;
      const buttons = JSON.parse(await b.evaluate('program.frame()')).buttons;
      if (buttons.length < 5 || buttons[2].label !== '3 razdvajanja') break;  // the choices first, then the row along the bottom
      const button = buttons[type];
      await b.drag(button.x + button.w / 2, button.y + button.h / 2, button.x + button.w / 2, button.y + button.h / 2);
      said = await label();
      if (!said.includes('Tačno. Teme ' + (k + 1) + ' je ') || !said.includes(`Rezultat: ${++right} od ${right}`)) break;
      if (type !== 0) {
        check(said.includes('Koja dijagonala nastaje iz temena ' + (k + 1) + '?'), `then vertex ${k + 1}'s diagonal is asked`);
        await b.key('Enter', 'Enter', 13);
        said = await label();
        check(/(Tačno\. |Netačno: ).*(nastaje|nastaju|nema nove)/.test(said) && said.includes('Rezultat: '), 'Enter answers it');
      }
    }
    check(right === typed + 1 && typed > 1, `the type buttons answer right, vertex after vertex (${typed})`);
    // Z: the next task, of the other kind; the box and the console follow, the exercise starts anew.
    await b.key('z', 'KeyZ', 90);
    said = await label();
    check(said.includes('Zadatak 4712. Strana 1 od ') && said.includes('Rezultat: 0 od 0'), 'Z opens task 4712, asked anew');
    check((await b.evaluate('location.hash')).startsWith('#p=1&z=4712&vezba=1&v='), 'the address follows the task');
    check((await b.evaluate(`document.getElementById('input').value`)) === (await b.evaluate('program.polygonText()')) &&
          (await consoleText()) === taskConsole(4712), 'the box and the console hold the new task');
    await b.key('d', 'KeyD', 68);
    check((await label()).includes('Tačno. Poligon je monoton'), 'an even task is monotone');
    // A task is unsaved until S: "Prikazi" warns first, then shows the polygon typed in the box, the
    // exercise still on, asked anew.
    await b.evaluate(`document.getElementById('input').value = '4\\n0 0\\n4 0\\n4 4\\n0 4\\n'`);
    await b.evaluate(`document.getElementById('show').click()`);
    await sleep(200);
    check((await label()).includes('Izmene nisu sačuvane: S čuva, Prikaži još jednom zamenjuje poligon.'),
          'a task not saved: "Prikazi" only warns first');
    await b.evaluate(`document.getElementById('show').click()`);
    await sleep(200);
    said = await label();
    check(said.includes('Pitanje 1 od 5: Da li je poligon monoton?') && !said.includes('Zadatak'),
          'a polygon shown from the box is asked too, and is no task');
    await b.key('v', 'KeyV', 86);
    said = await label();
    check(!said.includes('Pitanje') && !said.includes('Rezultat') && !(await b.evaluate('location.hash')).includes('vezba'),
          'V turns the exercise off, and the address says so');
  } else {
    // The example, triangulated: its last page has every diagonal, red and blue, where the native
    // program puts them; the console panel holds the dialogue's bytes.
    const example = fs.readFileSync(path.join(examples, 'monotoni.txt'), 'latin1');
    await b.open(`p=8&v=${verticesOf(example)}`);
    const native = nativePage(example, 8);
    check((await consoleText()) === native.console, 'the console panel holds the dialogue, byte for byte');
    let canvas = await b.canvas();
    // Black is the outline and the vertex numbers too, whose strokes each renderer smooths its way.
    const reddish = inkNear(inkOf('OppositeInk'), 45);
    for (const [name, wanted, share, onCanvas] of [['red', red, 0.98, reddish], ['blue', blue, 0.98, blue], ['black', black, 0.9, black]]) {
      const { seen, found } = sameInk(canvas, native, wanted, 200, 700, onCanvas);
      check(seen > 100 && found >= seen * share, `${name} where the native program draws it (${found} of ${seen})`);
    }
    // A key steps the page, and the address follows it.
    await b.key('ArrowLeft', 'ArrowLeft', 37);
    check((await b.evaluate('location.hash')).startsWith('#p=7&'), 'Left steps back a page, the link follows');
    check((await label()).includes('Strana 7 od 16.'),
          'the caption says where the page stands');
    // The lesson's last page, by its link: the guards, their caption in the canvas's accessible text.
    await b.open(`p=16&v=${verticesOf(example)}`);
    check((await label()).includes('Strana 16 od 16. Čuvari: temena 3, 5 (2 <= floor(n/3) = 2).'),
          `a link opens the guards' page, and the text a screen reader reads names them (${await label()})`);
    // A step's right chain: its band dashed as the native program dashes it, and no more of it (a
    // solid band on the canvas would show where the native one has its gaps).
    await b.open(`p=4&v=${verticesOf(example)}`);
    canvas = await b.canvas();
    const step = nativePage(example, 4);
    const alpha = Number(palette.match(/TintAlpha = ([0-9.]+)f/)[1]);
    const beige = inkOf('ClearColour');
    const band = inkNear(inkOf('RightTint').map((v, i) => Math.round(alpha * v + (1 - alpha) * beige[i])), 12);
    const drawn = sameInk(canvas, step, band, 100, 700), shown = sameInk(step, canvas, band, 100, 700);
    check(drawn.seen > 500 && drawn.found >= drawn.seen * 0.95 && shown.found >= shown.seen * 0.95,
          `the right chain's dashed band where the native program dashes it (${drawn.found} of ${drawn.seen}, ${shown.found} of ${shown.seen})`);
    // A W, not monotone: its split and merge vertices ringed in magenta, as the native program rings them.
    const w = fs.readFileSync(path.join(examples, 'w.txt'), 'latin1');
    await b.open(`p=1&v=${verticesOf(w)}`);
    canvas = await b.canvas();
    const { seen, found } = sameInk(canvas, nativePage(w, 1), magenta, 0, 640, inkNear(inkOf('WhyInk'), 90));
    check(seen > 50 && found >= seen * 0.98, `magenta marks where the native program draws them (${found} of ${seen})`);
    // A key outside ASCII is none of the table's: the Cyrillic x is not E.
    const plainPage = await label();
    await b.key('\u0445', 'KeyH', 72);
    check((await label()) === plainPage && (await b.evaluate('program.key(0x445, 0, 0, 0)')) === 0, 'a key outside ASCII does nothing');
    // Editing: E, a vertex dragged a long way; the link follows the polygon; S downloads it, I the picture.
    await b.key('e', 'KeyE', 69);
    const before = await b.evaluate('location.hash');
    const framing = await b.evaluate(`JSON.parse(program.frame()).clip`);
    // Vertex 1 of the W, (0,6): the top left corner of the framed polygon (bounds 0..8 by 0..6).
    const [cx, cy, cw, ch] = framing;
    const eye = Math.max(6, 8 * ch / cw), pixels = (ch / 2) / (eye * Math.tan(Math.PI / 6));
    const x1 = cx + cw / 2 - 4 * pixels, y1 = cy + ch / 2 - 3 * pixels;
    await b.drag(x1, y1, x1 + 20, y1 + 30, 400);
    const after = await b.evaluate('location.hash');
    check(after !== before && after === '#' + await b.evaluate('program.fragment()'), `a drag moves the vertex and the link follows (${after})`);
    await b.key('s', 'KeyS', 83);
    await b.key('i', 'KeyI', 73);
    await sleep(500);
    const saved = path.join(work, 'poligon-1.txt');
    check(fs.existsSync(saved) && fs.readFileSync(saved, 'latin1').startsWith('10\n'), 'S downloads poligon-1.txt');
    check(fs.existsSync(path.join(work, 'slika-1.svg')), 'I downloads slika-1.svg');
    check((await consoleText()).endsWith(
      'Poligon je sacuvan u datoteku poligon-1.txt.\nSlika je sacuvana u datoteci slika-1.svg.\n'), 'the console says so');
    // The console's text stays selected while the program goes on; the help tells what the page does.
    await b.evaluate(`getSelection().selectAllChildren(document.getElementById('console'))`);
    await b.key('h', 'KeyH', 72);
    check((await b.evaluate('getSelection().toString()')).includes('poligon-1.txt'), 'the console text stays selected');
    const help = await label();
    check(help.includes('preuzima se slika-K.svg') && !help.includes('kraj programa'), 'the help: I downloads, nothing closes');
  }
} finally {
  b.close();
}
process.exit(failures === 0 ? 0 : 1);
