// The page in headless Chromium: it loads without errors, the menu appears, a click path starts a
// two-player match in which player 1's key makes him jump, and a volume changed in Options is
// still there after a reload. The native runner, playing the same clicks on its virtual clock,
// paints the pictures each step waits for.
//   node --experimental-websocket page-test.mjs WEB_BUILD NATIVE_BUILD [--measure]
// --measure instead reports the figures of the page: load times, frames per second and work per
// frame in the demo, and the audio callbacks against the time.
import { spawnSync } from 'node:child_process';
import { existsSync, mkdtempSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';
import { Browser, findBrowser, sleep, waitFor } from './devtools.mjs';
import { likeness, readPng, sample, topRed } from './pictures.mjs';
import { serve } from './serve.mjs';

const kSkip = 77;
const kLikeStep = 4;
const kRedStep = 2;
const kAlike = 0.8;  // the share of sampled pixels a step's picture must share with the native one

// Places in the game's picture: the main menu's buttons are drawn at half their art's size.
const kPlay = [408, 236];
const kOptions = [428, 320];
const kForest = [535, 420];
const kTwoPlayers = [250, 302];
const kMusicKnob = [370 + 210 + 14, 402];  // the default 70 of 100: 300-pixel bar, 28-pixel knob
const kMusicAt40 = [370 + 120, 402];
const kOk = [145, 527];
// Player 1's red label floats near y 325 above him while he stands (the ground is lower, where
// red mushrooms and blood may lie); a jump lifts it well above.
const kStandingLabel = [0, 280, 799, 360];
const kLiftedPixels = 40;
const kLabelTravel = 100;  // how far sideways the label may go during the jump

function skip(why) {
  console.log(`SKIPPED: ${why}`);
  process.exit(kSkip);
}

function fail(why) {
  console.error(`FAILED: ${why}`);
  process.exitCode = 1;
}

// The native runner plays `script` and saves a shot at each of `shots` ({ name: ms }).
function nativePictures(native, work, name, script, shots) {
  const input = join(work, `${name}.txt`);
  writeFileSync(input, script);
  const args = ['--data', native, '--input', input, '--seconds', '14'];
  for (const [shot, ms] of Object.entries(shots)) args.push('--shot', `${ms}:${join(work, `${shot}.png`)}`);
  const run = spawnSync(join(native, 'skullgnawer-headless'), args, { encoding: 'utf8' });
  if (run.status !== 0) throw new Error(`the native runner failed: ${run.stderr}`);
  const pictures = {};
  for (const shot of Object.keys(shots)) pictures[shot] = sample(readPng(join(work, `${shot}.png`)), kLikeStep);
  return pictures;
}

function clickLines(ms, [x, y]) {
  return `${ms} mouse ${x} ${y}\n${ms + 100} button 1 down\n${ms + 150} button 1 up\n`;
}

// Counts what the page does, installed before the page's own scripts: the canvas's pictures, the
// browser's frames and how many of them showed a new picture, the program's waits (the time
// between waking from a timer or a browser frame and asking for the next is the frame's work) and
// the audio callbacks.
const kInstruments = `(() => {
  const s = window.__skull = { frames: 0, firstFrameMs: -1, frameTimes: [], work: [],
                               browserFrames: 0, shown: 0,
                               audioCalls: 0, audioFrames: 0, audioFirst: -1, audioContext: null };
  const put = CanvasRenderingContext2D.prototype.putImageData;
  CanvasRenderingContext2D.prototype.putImageData = function (...args) {
    const now = performance.now();
    if (s.frames++ === 0) s.firstFrameMs = now;
    s.frameTimes.push(now);
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

async function likeNow(page, picture) {
  return likeness(await page.pixels(kLikeStep), picture);
}

async function waitForPicture(page, picture, what, timeoutMs = 60000) {
  await waitFor(async () => (await likeNow(page, picture)) >= kAlike, timeoutMs, what);
}

// Clicks until `condition` holds (a click during a panel's fade is ignored); what it gave.
async function clickUntil(page, place, condition, what) {
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

async function clickThrough(page, place, picture, what) {
  await clickUntil(page, place, async () => (await likeNow(page, picture)) >= kAlike, what);
}

async function openGame(page, url) {
  await page.navigate(url);
  await waitFor(() => page.evaluate('window.__skull && window.__skull.frames > 0'), 120000,
                'the first frame');
}

async function playerOneLabel(page, box) {
  return topRed(await page.pixels(kRedStep), kRedStep, box);
}

async function checkMatch(page, pictures) {
  await clickThrough(page, kPlay, pictures.play, 'the play panel');
  await clickThrough(page, kForest, pictures.players, 'the player-count panel');
  const [x, standing] = await clickUntil(page, kTwoPlayers, () => playerOneLabel(page, kStandingLabel),
                                         "player 1's label in the match");
  await sleep(500);
  await page.key('q', 250);
  const above = [x - kLabelTravel, 0, x + kLabelTravel, standing - kLiftedPixels];
  const [, lifted] = await waitFor(() => playerOneLabel(page, above), 5000,
                                   'player 1 to jump after his key');
  console.log(`player 1's label rose from y ${standing} to ${lifted}`);
}

const kSettings = `Module.savedSettings()`;

async function checkSettings(page, url, pictures) {
  await openGame(page, url);
  await waitForPicture(page, pictures.menu, 'the menu');
  await clickThrough(page, kOptions, pictures.options, 'the options panel');
  const before = await page.evaluate(kSettings);
  const saves = await page.evaluate('Module.settingsSaves');
  await page.drag(...kMusicKnob, ...kMusicAt40);
  await sleep(300);
  await page.click(...kOk);
  await waitFor(() => page.evaluate(`Module.settingsSaves > ${saves}`), 20000, 'the settings to be kept');
  const after = await page.evaluate(kSettings);
  const musicVolume = (bytes) => bytes[4] | (bytes[5] << 8);
  if (!after || musicVolume(after) === musicVolume(before ?? after) || musicVolume(after) < 30) {
    throw new Error(`the music volume did not change: ${before && musicVolume(before)} -> ${after && musicVolume(after)}`);
  }
  await openGame(page, url);
  const reloaded = await page.evaluate(kSettings);
  if (!reloaded || musicVolume(reloaded) !== musicVolume(after)) {
    throw new Error(`after the reload the music volume is ${reloaded && musicVolume(reloaded)}, not ${musicVolume(after)}`);
  }
  console.log(`music volume ${musicVolume(before ?? [])} -> ${musicVolume(after)}, kept across the reload`);
}

const kFrameMs = 1000 / 60;
const kStillMs = 1000;

function median(values) {
  const sorted = [...values].sort((a, b) => a - b);
  return sorted.length ? sorted[Math.floor(sorted.length / 2)] : NaN;
}

// Load times, then the demo that starts after 90 s in the menu: its frames, work and sound.
async function measure(page, url, pictures) {
  const started = Date.now();
  await openGame(page, url);
  const splash = await page.evaluate('window.__skull.firstFrameMs');
  await waitForPicture(page, pictures.menu, 'the menu');
  const menu = await page.evaluate('performance.now()');
  console.log(`first frame (splash) ${splash.toFixed(0)} ms after navigation; menu by ${menu.toFixed(0)} ms`);
  // A click where no button is wakes the sound, as a player's first click would.
  await page.click(20, 590);
  await waitFor(() => Date.now() - started > 100000, 120000, 'the demo');
  const count = () => page.evaluate(`(() => { const s = window.__skull;
      return { frames: s.frames, browserFrames: s.browserFrames, shown: s.shown, now: performance.now(), work: s.work.length,
               calls: s.audioCalls, audioFrames: s.audioFrames,
               audioTime: s.audioContext ? s.audioContext.currentTime : 0,
               rate: s.audioContext ? s.audioContext.sampleRate : 0,
               state: s.audioContext ? s.audioContext.state : 'none' }; })()`);
  const first = await count();
  await sleep(60000);
  const last = await count();
  const seconds = (last.now - first.now) / 1000;
  const work = await page.evaluate(`window.__skull.work.slice(${first.work}, ${last.work})`);
  const times = await page.evaluate(`window.__skull.frameTimes.slice(${first.frames}, ${last.frames})`);
  const gaps = times.slice(1).map((time, i) => time - times[i]);
  // The winner's picture stands still for seconds between two demo matches, drawn once.
  const still = gaps.filter((gap) => gap > kStillMs).reduce((sum, gap) => sum + gap, 0) / 1000;
  const playing = seconds - still;
  const late = gaps.filter((gap) => gap > 1.5 * kFrameMs && gap <= kStillMs).length;
  const audioSeconds = last.audioTime - first.audioTime;
  const delivered = (last.audioFrames - first.audioFrames) / (last.rate || 1);
  console.log(`demo: ${((last.frames - first.frames) / playing).toFixed(1)} pictures a second over ` +
              `${playing.toFixed(1)} s of play (${still.toFixed(1)} s of a still winner left out); ` +
              `${late} pictures came more than a frame and a half after the last`);
  console.log(`browser: ${((last.browserFrames - first.browserFrames) / seconds).toFixed(1)} frames ` +
              `a second, ${(100 * (last.shown - first.shown) / (last.browserFrames - first.browserFrames)).toFixed(1)} % ` +
              `of them with a new picture`);
  console.log(`work per frame: median ${median(work).toFixed(2)} ms, 95th percentile ` +
              `${[...work].sort((a, b) => a - b)[Math.floor(work.length * 0.95)]?.toFixed(2)} ms`);
  console.log(`audio (${last.state}): ${last.calls - first.calls} callbacks delivered ${delivered.toFixed(2)} s ` +
              `of sound while the device played ${audioSeconds.toFixed(2)} s: ` +
              `${Math.max(0, audioSeconds - delivered).toFixed(3)} s short`);
}

async function main() {
  const [web, native] = process.argv.slice(2, 4).map((path) => path && resolve(path));
  const measuring = process.argv.includes('--measure');
  if (!web || !native) {
    console.error('usage: page-test.mjs WEB_BUILD NATIVE_BUILD [--measure]');
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
  const pictures = {
    ...nativePictures(native, work, 'play', clickLines(8000, kPlay) + clickLines(10000, kForest),
                      { menu: 7900, play: 9900, players: 11900 }),
    ...nativePictures(native, work, 'options', clickLines(8000, kOptions), { options: 9900 }),
  };
  const server = await serve(web);
  const url = `http://127.0.0.1:${server.address().port}/`;
  const browser = await Browser.launch(executable, '800,600');
  let page = null;
  try {
    page = await browser.openPage();
    await page.call('Page.addScriptToEvaluateOnNewDocument', { source: kInstruments });
    if (measuring) {
      await measure(page, url, pictures);
    } else {
      await openGame(page, url);
      await waitForPicture(page, pictures.menu, 'the menu');
      await checkMatch(page, pictures);
      await checkSettings(page, url, pictures);
    }
    if (page.errors.length) fail(`the page reported errors:\n${page.errors.join('\n')}`);
  } catch (error) {
    if (page) {
      const shot = await page.call('Page.captureScreenshot', { format: 'png' }).catch(() => null);
      if (shot) {
        writeFileSync(join(tmpdir(), 'skull-page-failure.png'), Buffer.from(shot.data, 'base64'));
        console.error(`the page at the failure: ${join(tmpdir(), 'skull-page-failure.png')}`);
      }
    }
    fail(`${error.message}${page?.errors.length ? `\nthe page reported:\n${page.errors.join('\n')}` : ''}`);
  } finally {
    await browser.close();
    server.close();
    rmSync(work, { recursive: true, force: true });
  }
  if (!process.exitCode) console.log(measuring ? 'measured' : 'the page plays');
}

main();
