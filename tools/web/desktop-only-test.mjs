// The browser build has no network: its "En red" must open the page that says network play needs
// the desktop game, and the desktop build must not. Both runners take the same clicks; the picture
// inside the panel (above its back button) is compared with the panel's own art.
//   node desktop-only-test.mjs WEB_BUILD NATIVE_BUILD
import { spawnSync } from 'node:child_process';
import { existsSync, mkdirSync, mkdtempSync, rmSync, symlinkSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';
import { readPng } from './pictures.mjs';

const kSkip = 77;
const kPlay = [408, 236];
const kNetwork = [205, 547];  // "En red" on the scenery choice
const kShotMs = 12300;
// The panel's place on the screen and the part of it above the back button and the pointer.
const kPanel = [100, 100];
const kInside = [20, 20, 580, 400];
const kTolerance = 8;
const kAlike = 0.98;

function clickLines(ms, [x, y]) {
  return `${ms} mouse ${x} ${y}\n${ms + 100} button 1 down\n${ms + 150} button 1 up\n`;
}

// The share of the panel's opaque pixels inside kInside that the shot shows unchanged.
function panelShown(shot, art) {
  let alike = 0, count = 0;
  for (let y = kInside[1]; y < kInside[3]; ++y) {
    for (let x = kInside[0]; x < kInside[2]; ++x) {
      const a = (y * art.width + x) * 4;
      if (art.rgba[a + 3] !== 255) continue;
      const s = ((y + kPanel[1]) * shot.width + x + kPanel[0]) * 4;
      const same = [0, 1, 2].every((c) => Math.abs(art.rgba[a + c] - shot.rgba[s + c]) <= kTolerance);
      alike += same ? 1 : 0;
      ++count;
    }
  }
  return count > 0 ? alike / count : 0;
}

const [web, native] = process.argv.slice(2).map((folder) => resolve(folder));
const webRunner = join(web, 'skullgnawer-headless.js');
if (!existsSync(webRunner)) {
  console.log(`SKIPPED: ${webRunner} is missing (no web toolchain here, or make web not run)`);
  process.exit(kSkip);
}
const work = mkdtempSync(join(tmpdir(), 'desktop-only-'));
try {
  const script = join(work, 'clicks.txt');
  writeFileSync(script, clickLines(8000, kPlay) + clickLines(10000, kNetwork));
  const art = readPng(join(native, 'gfx/menu/panelescritorio.png'));
  const runners = { web: ['node', '--no-experimental-fetch', webRunner],
                    native: [join(native, 'skullgnawer-headless')] };
  const shown = {};
  for (const [name, [program, ...first]] of Object.entries(runners)) {
    // A data folder of the test's own: the runner writes its settings there.
    const data = join(work, name);
    mkdirSync(data);
    for (const folder of ['gfx', 'anim', 'music', 'sfx']) symlinkSync(join(native, folder), join(data, folder));
    const shot = join(work, `${name}.png`);
    const run = spawnSync(program, [...first, '--data', data, '--input', script, '--seconds', '13',
                                    '--shot', `${kShotMs}:${shot}`], { encoding: 'utf8' });
    if (run.status !== 0) throw new Error(`the ${name} runner failed: ${run.stdout}${run.stderr}`);
    shown[name] = panelShown(readPng(shot), art);
  }
  console.log(`the desktop-only panel shows ${shown.web.toFixed(3)} alike in the browser build, ` +
              `${shown.native.toFixed(3)} in the desktop build`);
  if (shown.web < kAlike) {
    console.error('FAILED: the browser build\'s "En red" does not show the desktop-only page');
    process.exitCode = 1;
  }
  if (shown.native >= kAlike) {
    console.error('FAILED: the desktop build\'s "En red" shows the desktop-only page');
    process.exitCode = 1;
  }
} finally {
  rmSync(work, { recursive: true, force: true });
}
