// The pictures the browser test compares: the native runner's PNG shots read back (8-bit RGB or
// RGBA, not interlaced, as the game writes them) and sampled like the page's canvas.
import { readFileSync } from 'node:fs';
import { inflateSync } from 'node:zlib';

const kSignature = '89504e470d0a1a0a';

function paeth(a, b, c) {
  const p = a + b - c;
  const pa = Math.abs(p - a);
  const pb = Math.abs(p - b);
  const pc = Math.abs(p - c);
  if (pa <= pb && pa <= pc) return a;
  return pb <= pc ? b : c;
}

// { width, height, rgba } or an Error naming the file and what is wrong with it.
export function readPng(path) {
  const file = readFileSync(path);
  if (file.subarray(0, 8).toString('hex') !== kSignature) throw new Error(`${path}: not a PNG`);
  let width = 0, height = 0, channels = 0;
  const data = [];
  for (let at = 8; at + 8 <= file.length;) {
    const length = file.readUInt32BE(at);
    const type = file.toString('latin1', at + 4, at + 8);
    const body = file.subarray(at + 8, at + 8 + length);
    if (type === 'IHDR') {
      width = body.readUInt32BE(0);
      height = body.readUInt32BE(4);
      const [depth, colour, , , interlace] = body.subarray(8, 13);
      channels = { 2: 3, 6: 4 }[colour];
      if (depth !== 8 || !channels || interlace !== 0) {
        throw new Error(`${path}: only 8-bit RGB or RGBA without interlacing is read here`);
      }
    } else if (type === 'IDAT') {
      data.push(body);
    }
    at += 12 + length;
  }
  const raw = inflateSync(Buffer.concat(data));
  const stride = width * channels;
  if (!channels || raw.length < height * (stride + 1)) throw new Error(`${path}: truncated`);
  const rgba = Buffer.alloc(width * height * 4, 255);
  let previous = Buffer.alloc(stride);
  for (let y = 0; y < height; ++y) {
    const filter = raw[y * (stride + 1)];
    const line = Buffer.from(raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1)));
    for (let x = 0; x < stride; ++x) {
      const a = x >= channels ? line[x - channels] : 0;
      const b = previous[x];
      const c = x >= channels ? previous[x - channels] : 0;
      const add = [0, a, b, (a + b) >> 1, paeth(a, b, c)][filter];
      line[x] = (line[x] + add) & 255;
    }
    for (let x = 0; x < width; ++x) line.copy(rgba, (y * width + x) * 4, x * channels, x * channels + channels);
    previous = line;
  }
  return { width, height, rgba };
}

// Every `step` pixels, as the page's sampler takes them.
export function sample(picture, step) {
  const out = [];
  for (let y = 0; y < picture.height; y += step) {
    for (let x = 0; x < picture.width; x += step) {
      const at = (y * picture.width + x) * 4;
      out.push(...picture.rgba.subarray(at, at + 4));
    }
  }
  return Buffer.from(out);
}

function alikeAt(a, b, at, tolerance) {
  return [0, 1, 2].every((c) => Math.abs(a[at + c] - b[at + c]) <= tolerance);
}

// The share of sampled pixels whose channels all lie within `tolerance` of the other picture's.
export function likeness(a, b, tolerance = 40) {
  let alike = 0;
  const count = Math.min(a.length, b.length) / 4;
  for (let i = 0; i < count * 4; i += 4) {
    if (alikeAt(a, b, i, tolerance)) ++alike;
  }
  return count > 0 ? alike / count : 0;
}

// The same inside a box of the game's picture, of two samples taken every `step` pixels.
export function likenessIn(a, b, step, [x0, y0, x1, y1], tolerance = 40) {
  const columns = Math.ceil(800 / step);
  let alike = 0;
  let count = 0;
  for (let row = Math.ceil(y0 / step); row * step <= y1; ++row) {
    for (let column = Math.ceil(x0 / step); column * step <= Math.min(x1, 799); ++column) {
      ++count;
      if (alikeAt(a, b, (row * columns + column) * 4, tolerance)) ++alike;
    }
  }
  return count > 0 ? alike / count : 0;
}

// The highest pixel (smallest y, in game pixels) inside a box of a sample for which
// `test(r, g, b)` holds, as [x, y]; null when there is none.
export function topWhere(samples, step, [x0, y0, x1, y1], test) {
  const columns = Math.ceil(800 / step);
  for (let row = Math.ceil(y0 / step); row * step <= y1; ++row) {
    for (let column = Math.ceil(Math.max(0, x0) / step); column * step <= Math.min(x1, 799); ++column) {
      const at = (row * columns + column) * 4;
      if (test(samples[at], samples[at + 1], samples[at + 2])) return [column * step, row * step];
    }
  }
  return null;
}

// Player 1's label is this bright red.
export const isLabelRed = (r, g, b) => r > 200 && g < 80 && b < 80;

export function topRed(samples, step, box) {
  return topWhere(samples, step, box, isLabelRed);
}

// The share of `art`'s opaque pixels, drawn with its top left corner at [x, y], that the game's
// picture (a sample every `step` pixels, 800 wide) shows in about their colour.
export function artShown(samples, step, art, [x, y], tolerance = 40) {
  const columns = Math.ceil(800 / step);
  let shown = 0;
  let opaque = 0;
  for (let row = Math.ceil(y / step); row * step < y + art.height; ++row) {
    for (let column = Math.ceil(x / step); column * step < x + art.width && column * step < 800; ++column) {
      const from = ((row * step - y) * art.width + (column * step - x)) * 4;
      if (art.rgba[from + 3] !== 255) continue;
      const at = (row * columns + column) * 4;
      ++opaque;
      if ([0, 1, 2].every((c) => Math.abs(art.rgba[from + c] - samples[at + c]) <= tolerance)) ++shown;
    }
  }
  return opaque > 0 ? shown / opaque : 0;
}
