// The page in headless Chromium: it loads without errors, the menu appears, a click path starts a
// two-player match in which player 1's key makes him jump, and a volume changed in Options is
// still there after a reload. The native runner, playing the same clicks on its virtual clock,
// paints the pictures each step waits for.
//   node --experimental-websocket page-test.mjs WEB_BUILD NATIVE_BUILD [--measure]
// --measure instead reports the figures of the page: load times, frames per second and work per
// frame in the demo, and the audio callbacks against the time.
import { sleep, waitFor } from './devtools.mjs';
import {
  clickLines, clickThrough, clickUntil, kForest, kLabelTravel, kLiftedPixels, kOk, kOptions, kPlay,
  kStandingLabel, kTwoPlayers, nativePictures, openGame, playerOneLabel, runPageTest, waitForPicture,
} from './page-steps.mjs';

const kMusicKnob = [370 + 210 + 14, 402];  // the default 70 of 100: 300-pixel bar, 28-pixel knob
const kMusicAt40 = [370 + 120, 402];

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

function percentile95(values) {
  const sorted = [...values].sort((a, b) => a - b);
  return sorted.length ? sorted[Math.floor(sorted.length * 0.95)] : NaN;
}

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
               toCanvas: s.toCanvas.length,
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
  const toCanvas = await page.evaluate(`window.__skull.toCanvas.slice(${first.toCanvas}, ${last.toCanvas})`);
  console.log(`work per frame: median ${median(work).toFixed(2)} ms, 95th percentile ` +
              `${percentile95(work).toFixed(2)} ms; from waking to the picture on the canvas ` +
              `(SDL's software renderer and its copy to the canvas) median ${median(toCanvas).toFixed(2)} ms`);
  console.log(`audio (${last.state}): ${last.calls - first.calls} callbacks delivered ${delivered.toFixed(2)} s ` +
              `of sound while the device played ${audioSeconds.toFixed(2)} s: ` +
              `${Math.max(0, audioSeconds - delivered).toFixed(3)} s short`);
}

function nativeShots(native, work) {
  return {
    ...nativePictures(native, work, 'play', clickLines(8000, kPlay) + clickLines(10000, kForest),
                      { menu: 7900, play: 9900, players: 11900 }),
    ...nativePictures(native, work, 'options', clickLines(8000, kOptions), { options: 9900 }),
  };
}

const measuring = process.argv.includes('--measure');
runPageTest('page-test.mjs', nativeShots, async (page, url, pictures) => {
  if (measuring) {
    await measure(page, url, pictures);
    return;
  }
  await openGame(page, url);
  await waitForPicture(page, pictures.menu, 'the menu');
  await checkMatch(page, pictures);
  await checkSettings(page, url, pictures);
}, measuring ? 'measured' : 'the page plays');
