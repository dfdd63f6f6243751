// Serves the page's folder on the loopback: `node serve.mjs FOLDER [PORT]` prints the address.
// The browser test starts the same server from inside itself.
import { createServer } from 'node:http';
import { readFile } from 'node:fs/promises';
import { extname, join, normalize, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';

const kTypes = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript',
  '.wasm': 'application/wasm', // streaming compilation insists on this type
  '.data': 'application/octet-stream',
};

// Resolves to the listening server; only files inside `folder` are ever read.
export function serve(folder, port = 0) {
  const root = resolve(folder);
  const server = createServer(async (request, response) => {
    const path = decodeURIComponent(new URL(request.url, 'http://x').pathname);
    const file = normalize(join(root, path === '/' ? 'index.html' : path));
    if (!file.startsWith(root + '/')) {
      response.writeHead(403).end();
      return;
    }
    try {
      const body = await readFile(file);
      response.writeHead(200, {
        'Content-Type': kTypes[extname(file)] ?? 'application/octet-stream',
        'Cache-Control': 'no-cache',
      });
      response.end(body);
    } catch {
      response.writeHead(404).end();
    }
  });
  return new Promise((done, fail) => {
    server.once('error', fail);
    server.listen(port, '127.0.0.1', () => done(server));
  });
}

if (process.argv[1] && resolve(process.argv[1]) === fileURLToPath(import.meta.url)) {
  const folder = process.argv[2] ?? 'build-web';
  const port = Number(process.argv[3] ?? 8000);
  serve(folder, port).then(
    (server) => {
      console.log(`SKULLGNAWER in the browser: http://127.0.0.1:${server.address().port}/`);
      console.log('(Ctrl+C stops the server)');
    },
    (error) => {
      console.error(`cannot serve ${folder} on port ${port}: ${error.message}`);
      process.exit(1);
    },
  );
}
