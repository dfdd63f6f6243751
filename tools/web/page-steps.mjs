// What the browser tests share: the places in the game's picture, the page's instruments, the
// native runner's pictures to compare with, the steps that wait for them, and the harness that
// starts the server and the browser and reports.
import { spawnSync } from 'node:child_process';
import { existsSync, mkdtempSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';
import { Browser, findBrowser, sleep, waitFor } from './devtools.mjs';
import { likeness, readPng, sample, topRed, topWhere } from './pictures.mjs';
import { serve } from './serve.mjs';

const kSkip = 77;
export const kLikeStep = 4;
const kRedStep = 2;
export const kAlike = 0.8;  // the share of sampled pixels a step's picture must share with the native one

// Places in the game's picture: the main menu's buttons are drawn at half their art's size.
export const kPlay = [408, 236];
export const kOptions = [428, 320];
export const kForest = [535, 420];
export const kTwoPlayers = [250, 302];
export const kOk = [145, 527];
// Player 1's red label floats near y 325 above him while he stands (the ground is lower, where
// red mushrooms and blood may lie); a jump lifts it well above.
export const kStandingLabel = [0, 280, 799, 360];
export const kLiftedPixels = 40;
export const kLabelTravel = 100;  // how far sideways the label may go during the jump
const kJumpAttempts = 5;
const kJumpWaitMs = 2500;
const kStillMs = 500;  // long enough for the scenery behind a label to have moved on
// The button that binds a player's seat in Options.
export const kBindButton = (player) => [225, 202 + 50 * player];

// The settings file: seven little-endian integers, the seats' codes from the fourth on.
const kFirstSeatAt = 12;
export const seatCodes = (bytes) => [0, 1, 2].map(
    (seat) => new DataView(Uint8Array.from(bytes).buffer).getInt32(kFirstSeatAt + 4 * seat, true));

export function skip(why) {
  console.log(`SKIPPED: ${why}`);
  process.exit(kSkip);
}

export function fail(why) {
  console.error(`FAILED: ${why}`);
  process.exitCode = 1;
}

// The native runner plays `script` and saves a shot at each of `shots` ({ name: ms }).
export function nativePictures(native, work, name, script, shots) {
  const input = join(work, `${name}.txt`);
  writeFileSync(input, script);
  const seconds = Math.ceil(Math.max(...Object.values(shots)) / 1000) + 2;
  const args = ['--data', native, '--input', input, '--seconds', String(seconds)];
  for (const [shot, ms] of Object.entries(shots)) args.push('--shot', `${ms}:${join(work, `${shot}.png`)}`);
  const run = spawnSync(join(native, 'skullgnawer-headless'), args, { encoding: 'utf8' });
  if (run.status !== 0) throw new Error(`the native runner failed: ${run.stderr}`);
  const pictures = {};
  for (const shot of Object.keys(shots)) pictures[shot] = sample(readPng(join(work, `${shot}.png`)), kLikeStep);
  return pictures;
}

export function clickLines(ms, [x, y]) {
  return `${ms} mouse ${x} ${y}\n${ms + 100} button 1 down\n${ms + 150} button 1 up\n`;
}

// Counts what the page does, installed before the page's own scripts: the canvas's pictures, the
// browser's frames and how many of them showed a new picture, the program's waits (the time
// between waking from a timer or a browser frame and asking for the next is the frame's work; the
// time from waking to the picture reaching the canvas is the part spent presenting) and the audio
// callbacks.
export const kInstruments = `(() => {
  const s = window.__skull = { frames: 0, firstFrameMs: -1, frameTimes: [], work: [], toCanvas: [],
                               browserFrames: 0, shown: 0,
                               audioCalls: 0, audioFrames: 0, audioFirst: -1, audioContext: null };
  const put = CanvasRenderingContext2D.prototype.putImageData;
  CanvasRenderingContext2D.prototype.putImageData = function (...args) {
    const now = performance.now();
    if (s.frames++ === 0) s.firstFrameMs = now;
    s.frameTimes.push(now);
    if (wokeAt >= 0) s.toCanvas.push(now - wokeAt);
    return put.apply(this, args);
  };
  const animate = window.requestAnimationFrame.bind(window);
  let seen = 0;
  const browserFrame = () => {
    s.browserFrames++;
    if (s.frames !== seen) s.shown++;
    seen = s.frames;
    animate(browserFrame);
  };
  animate(browserFrame);
  let wokeAt = -1;
  const wait = (ask) => function (callback, ...rest) {
    if (typeof callback !== 'function') return ask.call(window, callback, ...rest);
    if (wokeAt >= 0) s.work.push(performance.now() - wokeAt);
    wokeAt = -1;
    return ask.call(window, function (...args) {
      wokeAt = performance.now();
      return callback.apply(this, args);
    }, ...rest);
  };
  window.setTimeout = wait(window.setTimeout);
  window.requestAnimationFrame = wait(window.requestAnimationFrame);
  const make = AudioContext.prototype.createScriptProcessor;
  AudioContext.prototype.createScriptProcessor = function (...args) {
    const node = make.apply(this, args);
    s.audioContext = this;
    let handler = null;
    Object.defineProperty(node, 'onaudioprocess', {
      get: () => handler,
      set: (callback) => {
        handler = callback;
        node.addEventListener('audioprocess', (event) => {
          if (s.audioCalls++ === 0) s.audioFirst = this.currentTime;
          s.audioFrames += event.outputBuffer.length;
          handler?.call(node, event);
        });
      },
    });
    return node;
  };
})();`;

export async function likeNow(page, picture) {
  return likeness(await page.pixels(kLikeStep), picture);
}

export async function waitForPicture(page, picture, what, timeoutMs = 60000) {
  await waitFor(async () => (await likeNow(page, picture)) >= kAlike, timeoutMs, what);
}

// Clicks `place` until `condition` holds (a click during a panel's fade is
// ignored); what it gave.
export async function clickUntil(page, place, condition, what) {
  for (let attempt = 0; attempt < 5; ++attempt) {
    await page.click(...place);
    try {
      return await waitFor(condition, 4000, what);
    } catch {
      // not yet: the panel was still fading in; click again
    }
  }
  throw new Error(`clicks never brought ${what}`);
}

export async function clickThrough(page, place, picture, what) {
  await clickUntil(page, place, async () => (await likeNow(page, picture)) >= kAlike, what);
}

export async function openGame(page, url) {
  await page.navigate(url);
  await waitFor(() => page.evaluate('window.__skull && window.__skull.frames > 0'), 120000,
                'the first frame');
}

export async function canvasSample(page) {
  return page.pixels(kLikeStep);
}

// Where a player's label stands, and the box it is seen in once it rose. A running player holds
// his place while the scenery scrolls by, so what is seen in the same place twice, a moment apart,
// is the label and not a sign of the scenery's in the label's colours.
export async function rises(page, what, box, travel, test) {
  const seen = async () => topWhere(await canvasSample(page), kLikeStep, box, test);
  const [x, standing] = await waitFor(async () => {
    const first = await seen();
    if (!first) return null;
    await sleep(kStillMs);
    const second = await seen();
    const still = second && Math.abs(second[0] - first[0]) <= kLikeStep && second[1] === first[1];
    return still ? second : null;
  }, 10000, `${what}'s label`);
  return { x, standing, above: [x - travel, 0, x + travel, standing - kLiftedPixels] };
}

// Both players are pressed together and early: a tag shows only while the match is young, and it
// is the tag that is seen to rise. A player in the middle of something (landing, stumbling) may
// not jump at once, so the presses are tried again a few times, each only until its player rose.
export async function checkJumps(page, jumpers) {
  const waiting = new Set(jumpers);
  const seeRisen = async () => {
    const now = await canvasSample(page);
    for (const jumper of [...waiting]) {
      const lifted = topWhere(now, kLikeStep, jumper.label.above, jumper.test);
      if (!lifted) continue;
      console.log(`${jumper.what}'s label rose from y ${jumper.label.standing} to ${lifted[1]}`);
      waiting.delete(jumper);
    }
    return waiting.size === 0;
  };
  for (let attempt = 0; attempt < kJumpAttempts && waiting.size; ++attempt) {
    await Promise.all([...waiting].map((jumper) => jumper.press()));
    await waitFor(seeRisen, kJumpWaitMs, 'the jumps').catch(() => {});
  }
  if (waiting.size) {
    throw new Error(`presses never brought ${[...waiting].map((jumper) => jumper.what).join(' or ')} to jump`);
  }
}

// From the menu into a match on the scenery's button with the count's button.
export async function startMatch(page, pictures, scenery, count) {
  await clickThrough(page, kPlay, pictures.play, 'the play panel');
  await clickThrough(page, scenery, pictures.players, 'the player-count panel');
  await clickUntil(page, count, () => playerOneLabel(page, kStandingLabel),
                   "player 1's label in the match");
}

// OK in Options, once the settings file was kept: the seats' codes it holds.
export async function keepSeats(page) {
  const saves = await page.evaluate('Module.settingsSaves');
  await page.click(...kOk);
  await waitFor(() => page.evaluate(`Module.settingsSaves > ${saves}`), 20000, 'the seats to be kept');
  return seatCodes(await page.evaluate('Module.savedSettings()'));
}

export async function playerOneLabel(page, box) {
  return topRed(await page.pixels(kRedStep), kRedStep, box);
}

// Runs `steps(page, url, pictures)` in a fresh browser on the page in WEB_BUILD (argv[2]),
// with the native runner's pictures `nativeShots(native, work)` made from NATIVE_BUILD (argv[3]);
// skips where no browser or web toolchain could be installed, and keeps the page's last picture
// when a step fails.
export async function runPageTest(name, nativeShots, steps, done) {
  const [web, native] = process.argv.slice(2, 4).map((path) => path && resolve(path));
  if (!web || !native) {
    console.error(`usage: ${name} WEB_BUILD NATIVE_BUILD [--measure]`);
    process.exit(2);
  }
  const executable = findBrowser();
  if (!executable) skip('no Chromium could be installed here');
  if (typeof WebSocket === 'undefined') skip('this node has no WebSocket (node 20 needs --experimental-websocket)');
  if (!existsSync(join(web, 'index.html'))) {
    if (spawnSync('sh', ['-c', 'command -v emcc']).status !== 0) skip('no emscripten could be installed here');
    fail(`${web}/index.html is missing: run make web`);
    return;
  }
  const work = mkdtempSync(join(tmpdir(), 'skull-page-'));
  const pictures = nativeShots(native, work);
  const server = await serve(web);
  const url = `http://127.0.0.1:${server.address().port}/`;
  const browser = await Browser.launch(executable, '800,600');
  let page = null;
  try {
    page = await browser.openPage();
    await page.call('Page.addScriptToEvaluateOnNewDocument', { source: kInstruments });
    await steps(page, url, pictures);
    if (page.errors.length) fail(`the page reported errors:\n${page.errors.join('\n')}`);
  } catch (error) {
    if (page) {
      const shot = await page.call('Page.captureScreenshot', { format: 'png' }).catch(() => null);
      if (shot) {
        const path = join(tmpdir(), `${name.replace(/\.mjs$/, '')}-failure.png`);
        writeFileSync(path, Buffer.from(shot.data, 'base64'));
        console.error(`the page at the failure: ${path}`);
      }
    }
    fail(`${error.message}${page?.errors.length ? `\nthe page reported:\n${page.errors.join('\n')}` : ''}`);
  } finally {
    await browser.close();
    server.close();
    rmSync(work, { recursive: true, force: true });
  }
  if (!process.exitCode) console.log(done);
}

// With SKULL_PAGE_SHOTS naming a folder, the page's picture at a step is kept there as NAME.png,
// for a person to look at.
export async function keepShot(page, name) {
  const folder = process.env.SKULL_PAGE_SHOTS;
  if (!folder) return;
  const shot = await page.call('Page.captureScreenshot', { format: 'png' });
  writeFileSync(join(folder, `${name}.png`), Buffer.from(shot.data, 'base64'));
}
