// The tutorial and a gamepad in headless Chromium. The browser here has no pad, so the test holds
// one of its own and hands it to the page through the browser's Gamepad API, as a browser does
// with a real one: none at first, then, once the game runs, a "gamepadconnected" event and
// navigator.getGamepads() reporting it. In Options player 1's seat is bound to one of its buttons
// (the settings keep the game's code for that pad button); the click path into the tutorial shows
// its first slide as the native runner paints it, and the pad's button makes the tutorial's one
// player jump; back in the menu, a match on the forest has the same button make player 1 jump.
//   node --experimental-websocket page-tutorial-pad-test.mjs WEB_BUILD NATIVE_BUILD
import { join } from 'node:path';
import { sleep, waitFor } from './devtools.mjs';
import { artShown, isLabelRed, likenessIn, readPng } from './pictures.mjs';
import {
  canvasSample, checkJumps, clickLines, clickThrough, clickUntil, kAlike, kBindButton,
  keepSeats, keepShot, kForest, kLabelTravel, kLikeStep, kOptions, kPlay, kStandingLabel,
  kTwoPlayers, nativePictures, openGame, rises, runPageTest, startMatch, waitForPicture,
} from './page-steps.mjs';

const kTutorial = [255, 220];
// The standard mapping's top face button, on the first pad: the game codes a pad's button as
// 500 + its port × 100 + the button.
const kPadButton = 3;
const kPadCode = 500 + kPadButton;
const kPressMs = 250;
// The slide's text lies in a band at the top of the picture.
const kSlideBand = [0, 0, 799, 110];
const kArtShown = 0.8;
const kPromptAt = [400 - 460 / 2, 300 - 110 / 2];  // centred on the picture
const kPromptBlinkMs = 1500;
const kTutorialStarts = 12000;  // the native runner's clicks that far bring the tutorial
const kFirstSlideAt = kTutorialStarts + 3000;

// The pad the test holds. A browser shows no pad before one is touched, and a pad that arrives
// later is announced by an event: this one waits for the test's connect().
const kPad = `(() => {
  const buttons = Array.from({ length: 17 }, () => ({ pressed: false, touched: false, value: 0 }));
  const pad = { id: 'Test pad (STANDARD GAMEPAD)', index: 0, connected: true, mapping: 'standard',
                timestamp: 0, axes: [0, 0, 0, 0], buttons };
  let connected = false;
  Object.defineProperty(Navigator.prototype, 'getGamepads', {
    configurable: true, value: () => [connected ? pad : null, null, null, null] });
  window.__pad = {
    connect() {
      connected = true;
      pad.timestamp = performance.now();
      const event = new Event('gamepadconnected');
      event.gamepad = pad;
      window.dispatchEvent(event);
    },
    set(button, down) {
      buttons[button] = { pressed: down, touched: down, value: down ? 1 : 0 };
      pad.timestamp = performance.now();
    },
  };
})();`;

async function padPress(page) {
  await page.evaluate(`__pad.set(${kPadButton}, true)`);
  await sleep(kPressMs);
  await page.evaluate(`__pad.set(${kPadButton}, false)`);
}

// The menu, the panels on the way, the tutorial's first slide, and the options panel.
function nativeShots(native, work) {
  const tutorial = clickLines(8000, kPlay) + clickLines(10000, kTutorial) + clickLines(kTutorialStarts, kTwoPlayers);
  return {
    ...nativePictures(native, work, 'tutorial', tutorial,
                      { menu: 7900, play: 9900, players: 11900, slide: kFirstSlideAt }),
    ...nativePictures(native, work, 'options', clickLines(8000, kOptions), { options: 9900 }),
  };
}

// The prompt to press a button blinks while Options waits for one: a capture is over once it
// stayed away for longer than it ever blinks off.
async function bindPad(page, pictures, prompt) {
  const promptShown = async () => artShown(await canvasSample(page), kLikeStep, prompt, kPromptAt) >= kArtShown;
  await clickThrough(page, kOptions, pictures.options, 'the options panel');
  await clickUntil(page, kBindButton(0), promptShown, 'the prompt to press a button');
  await padPress(page);
  let seen = Date.now();
  await waitFor(async () => {
    if (await promptShown()) seen = Date.now();
    return Date.now() - seen > kPromptBlinkMs;
  }, 10000, 'the prompt to go after the pad was pressed');
  await keepShot(page, 'pad-options');
  const seats = await keepSeats(page);
  if (seats[0] !== kPadCode) throw new Error(`player 1's seat holds ${seats[0]}, not the pad's ${kPadCode}`);
  console.log(`player 1's seat took the pad's button ${kPadButton}: code ${seats[0]} kept`);
}

async function padJumps(page, what) {
  const label = await rises(page, what, kStandingLabel, kLabelTravel, isLabelRed);
  await checkJumps(page, [{ what: `${what} (the pad)`, label, press: () => padPress(page), test: isLabelRed }]);
}

// The tutorial's player wears player 1's tag for its first seconds, under the first slide.
async function checkTutorial(page, pictures, slide) {
  await clickThrough(page, kPlay, pictures.play, 'the play panel');
  await clickThrough(page, kTutorial, pictures.players, 'the player-count panel');
  const slideShown = async () => artShown(await canvasSample(page), kLikeStep, slide, [0, 0]) >= kArtShown;
  await clickUntil(page, kTwoPlayers, slideShown, "the tutorial's first slide");
  const now = await canvasSample(page);
  const shown = artShown(now, kLikeStep, slide, [0, 0]);
  const alike = likenessIn(now, pictures.slide, kLikeStep, kSlideBand);
  const percent = (share) => `${(100 * share).toFixed(0)} %`;
  console.log(`the tutorial's first slide: ${percent(shown)} of its art shown, its band ` +
              `${percent(alike)} like the native runner's`);
  if (alike < kAlike) throw new Error("the tutorial's first slide is not the native runner's");
  await padJumps(page, "the tutorial's player");
  await keepShot(page, 'tutorial');
  await page.key('Escape', 100);
  await waitForPicture(page, pictures.menu, 'the menu after the tutorial');
}

async function checkForestMatch(page, pictures) {
  await startMatch(page, pictures, kForest, kTwoPlayers);
  await padJumps(page, 'player 1');
  await keepShot(page, 'pad-match');
}

runPageTest('page-tutorial-pad-test.mjs', nativeShots, async (page, url, pictures) => {
  const art = (file) => readPng(join(process.argv[3], 'gfx', 'menu', file));
  await page.call('Page.addScriptToEvaluateOnNewDocument', { source: kPad });
  await openGame(page, url);
  await waitForPicture(page, pictures.menu, 'the menu');
  await page.evaluate('__pad.connect()');
  const pads = await page.evaluate('navigator.getGamepads().filter(Boolean).length');
  if (pads !== 1) throw new Error(`the page sees ${pads} pads`);
  await bindPad(page, pictures, art('presioneunatecla.png'));
  await checkTutorial(page, pictures, art('tutorial01.png'));
  await checkForestMatch(page, pictures);
}, 'the page plays the tutorial and a gamepad');
