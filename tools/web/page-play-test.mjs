// More of the game in headless Chromium: in Options player 1 is given the mouse's left button and
// player 2 a key, both captured, and player 3 the computer; a two-player match on the city has
// the mouse and the key make their players jump and F10 shows the pause sign; a three-player match
// on the metro shows the metro and ends on the winner's (or the draw's) picture once the computer
// has had its way; Salir ends the game, the page says so and offers to play again, and after that
// reload the seats are still there.
// The browser has no gamepad here, so SDL sees none: the page is checked to run without one.
//   node --experimental-websocket page-play-test.mjs WEB_BUILD NATIVE_BUILD
import { join } from 'node:path';
import { sleep, waitFor } from './devtools.mjs';
import { artShown, isLabelRed, likeness, readPng, topWhere } from './pictures.mjs';
import {
  canvasSample, checkJumps, clickLines, clickThrough, clickUntil, kBindButton, keepSeats,
  keepShot, kLabelTravel, kLikeStep, kOptions, kPlay, kStandingLabel, kTwoPlayers, nativePictures,
  openGame, rises, runPageTest, seatCodes, startMatch, waitForPicture,
} from './page-steps.mjs';

const kCity = [535, 220];
const kMetro = [255, 420];
const kThreePlayers = [460, 302];
const kQuit = [468, 461];
const kYes = [350, 387];
const kComputerButton = (player) => [660, 202 + 50 * player];
const kNoButton = [700, 580];  // a click there in Options is only a click
const kAnywhere = [400, 120];

// The seats' codes in the settings file.
const kMouseLeftCode = 1;
const kKeyZCode = 90;
const kEasyComputerCode = 1000;

// A computer's seat is named in the green of its eyes in the seat's slot.
const kSlotBox = (player) => [425, 188 + 50 * player, 585, 212 + 50 * player];
const isComputerGreen = (r, g, b) => r > 150 && r < 230 && g > 200 && b > 100 && b < 180;
// Player 2's blue label, looked for away from the city's blue signs at the edges.
const isLabelBlue = (r, g, b) => b > 170 && r < 100 && g > 40 && g < 140;
const kPlayerTwoStanding = [120, 300, 700, 350];
const kPlayerTwoTravel = 60;
const kPauseSignAt = [190, 225];
const kQuitPanelAt = [200, 300];
const kArtShown = 0.8;
const kPictureShown = 0.7;  // the winner stands on the winner's picture, and his name rides on it
const kMatchEndsMs = 150000;

// The menu, the panels on the way to a match, a city match, and after Escape a metro match.
function nativeShots(native, work) {
  const escape = '15000 key 27 down\n15100 key 27 up\n';
  const sceneries = clickLines(8000, kPlay) + clickLines(10000, kCity) + clickLines(12000, kTwoPlayers) +
                    escape + clickLines(18000, kPlay) + clickLines(20000, kMetro) + clickLines(22000, kTwoPlayers);
  return {
    ...nativePictures(native, work, 'sceneries', sceneries,
                      { menu: 7900, play: 9900, players: 11900, city: 14500, metro: 24500 }),
    ...nativePictures(native, work, 'options', clickLines(8000, kOptions), { options: 9900 }),
  };
}

async function checkOptions(page, pictures) {
  await clickThrough(page, kOptions, pictures.options, 'the options panel');
  await clickUntil(page, kComputerButton(2),
                   async () => topWhere(await canvasSample(page), kLikeStep, kSlotBox(2), isComputerGreen),
                   "the computer's name in player 3's slot");
  await page.click(...kBindButton(1));
  await sleep(400);
  await page.key('z', 100);
  await sleep(400);
  await page.click(...kBindButton(0));
  await sleep(400);
  await page.click(...kNoButton);
  await sleep(400);
  await keepShot(page, 'options');
  const seats = await keepSeats(page);
  const wanted = [kMouseLeftCode, kKeyZCode, kEasyComputerCode];
  if (seats.join() !== wanted.join()) throw new Error(`the seats saved are ${seats}, not ${wanted}`);
  console.log(`seats kept: ${seats} (the mouse's left button, Z, the computer)`);
  return seats;
}

// The scenery shown is the native one's, more than the other's.
async function checkScenery(page, pictures, name, other) {
  const [mine, theirs] = await waitFor(async () => {
    const now = await canvasSample(page);
    const alike = [likeness(now, pictures[name]), likeness(now, pictures[other])];
    return alike[0] > alike[1] + 0.2 ? alike : null;
  }, 10000, `the ${name}'s scenery`);
  const percent = (share) => `${(100 * share).toFixed(0)} %`;
  console.log(`the ${name}: ${percent(mine)} like the native ${name}, ${percent(theirs)} like the ${other}`);
}

async function checkPause(page, pauseSign) {
  const signShown = async () => artShown(await canvasSample(page), kLikeStep, pauseSign, kPauseSignAt);
  await page.key('F10', 100);
  await waitFor(async () => (await signShown()) >= kArtShown, 5000, 'the pause sign after F10');
  await keepShot(page, 'pause');
  await sleep(500);
  await page.key('F10', 100);
  await waitFor(async () => (await signShown()) < kArtShown / 2, 5000, 'the pause sign to go after F10 again');
  console.log('F10 showed the pause sign and F10 again took it away');
}

async function checkEnd(page, winnerPicture, drawPicture) {
  const ending = await waitFor(async () => {
    const now = await canvasSample(page);
    if (artShown(now, kLikeStep, winnerPicture, [0, 0]) >= kPictureShown) return 'the winner';
    if (artShown(now, kLikeStep, drawPicture, [0, 0]) >= kPictureShown) return 'a draw';
    return null;
  }, kMatchEndsMs, "the winner's or the draw's picture");
  console.log(`the match ended on the picture of ${ending}`);
  await sleep(1000);
  await keepShot(page, 'end');
  await page.key('Enter', 100);
}

// Only the two idle players share the city, and their jumps are looked for first: a computer, or a
// walker later on, knocks idle players down, and a player lying down does not jump.
async function checkCityMatch(page, pictures, art) {
  await startMatch(page, pictures, kCity, kTwoPlayers);
  const [playerOne, playerTwo] = await Promise.all([
    rises(page, 'player 1', kStandingLabel, kLabelTravel, isLabelRed),
    rises(page, 'player 2', kPlayerTwoStanding, kPlayerTwoTravel, isLabelBlue)]);
  await checkJumps(page, [
    { what: 'player 1 (the mouse)', label: playerOne, press: () => page.click(...kAnywhere), test: isLabelRed },
    { what: 'player 2 (Z)', label: playerTwo, press: () => page.key('z', 250), test: isLabelBlue }]);
  await checkScenery(page, pictures, 'city', 'metro');
  await keepShot(page, 'city');
  await checkPause(page, art.pause);
  await page.key('Escape', 100);
  await waitForPicture(page, pictures.menu, 'the menu after Escape');
}

async function checkMetroMatch(page, pictures, art) {
  await startMatch(page, pictures, kMetro, kThreePlayers);
  await checkScenery(page, pictures, 'metro', 'city');
  await keepShot(page, 'metro');
  await checkEnd(page, art.winner, art.draw);
  await waitForPicture(page, pictures.menu, 'the menu after the match', kMatchEndsMs);
}

const kEnded = `(() => { const ended = document.getElementById('ended');
  return ended && getComputedStyle(ended).display !== 'none' && ended.textContent; })()`;

// Salir, Sí: the page says the game has ended; its button starts it again.
async function checkQuitAndAgain(page, pictures, art, seats) {
  // The panel is small on the menu: the panel itself is looked for.
  const panelShown = async () => artShown(await canvasSample(page), kLikeStep, art.quit, kQuitPanelAt) >= kArtShown;
  await clickUntil(page, kQuit, panelShown, 'the quit panel');
  const text = await clickUntil(page, kYes, () => page.evaluate(kEnded), 'the page to say the game has ended');
  if (!/terminado/.test(text) || !/Jugar otra vez/.test(text)) throw new Error(`the ended page says: ${text}`);
  await keepShot(page, 'ended');
  console.log(`after Salir the page says: ${text.replace(/\s+/g, ' ').trim()}`);
  const [x, y] = await page.evaluate(`(() => { const r = document.getElementById('again').getBoundingClientRect();
      return [r.left + r.width / 2, r.top + r.height / 2]; })()`);
  for (const type of ['mousePressed', 'mouseReleased']) {
    await page.call('Input.dispatchMouseEvent', { type, x, y, button: 'left', buttons: 1, clickCount: 1 });
  }
  await waitFor(() => page.evaluate('window.__skull && window.__skull.frames > 0'), 120000,
                'the game to start again');
  await waitForPicture(page, pictures.menu, 'the menu after playing again');
  const kept = seatCodes(await page.evaluate('Module.savedSettings()'));
  if (kept.join() !== seats.join()) throw new Error(`after playing again the seats are ${kept}, not ${seats}`);
  console.log(`"Jugar otra vez" started the game again, the seats still ${kept}`);
}

async function checkNoGamepad(page) {
  const pads = await page.evaluate('Array.from(navigator.getGamepads()).filter(Boolean).length');
  if (pads !== 0) throw new Error(`the browser reports ${pads} gamepads`);
  console.log('no gamepad in this browser: the page ran without one');
}

runPageTest('page-play-test.mjs', nativeShots, async (page, url, pictures) => {
  const native = process.argv[3];
  const files = { pause: 'pausa', winner: 'ganador', draw: 'empate', quit: 'menu/seguroquedeseasalir' };
  const art = Object.fromEntries(Object.entries(files)
    .map(([name, file]) => [name, readPng(join(native, 'gfx', `${file}.png`))]));
  await openGame(page, url);
  await waitForPicture(page, pictures.menu, 'the menu');
  await checkNoGamepad(page);
  const seats = await checkOptions(page, pictures);
  await checkCityMatch(page, pictures, art);
  await checkMetroMatch(page, pictures, art);
  await checkQuitAndAgain(page, pictures, art, seats);
}, 'the page plays the rest');
