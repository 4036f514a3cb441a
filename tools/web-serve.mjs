// SPDX-License-Identifier: Zlib
// Serves the browser build on localhost: its files only, gzip-compressed for browsers
// that accept it, with the types that WebAssembly's streaming compilation needs, and
// validators, so that a browser asks again and hears "not modified" for what it has.
// Usage: node tools/web-serve.mjs DIR [PORT]  (PORT 0 takes any free one)
import fs from 'node:fs';
import http from 'node:http';
import path from 'node:path';
import url from 'node:url';
import zlib from 'node:zlib';

const TYPES = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.wasm': 'application/wasm',
  '.data': 'application/octet-stream',
  '.png': 'image/png',
  '.webmanifest': 'application/manifest+json',
};

// Maps a request path to a file under one of `mounts` ({'/': dir, '/tests/': dir}), or null.
function resolve(mounts, requestPath) {
  let pathname;
  try {
    pathname = decodeURIComponent(new URL(requestPath, 'http://localhost').pathname);
  } catch {
    return null;
  }
  if (pathname.endsWith('/')) pathname += 'index.html';
  const prefix = Object.keys(mounts)
    .filter((p) => pathname.startsWith(p))
    .sort((a, b) => b.length - a.length)[0];
  if (prefix === undefined) return null;
  const relative = pathname.slice(prefix.length);
  if (relative.split('/').some((part) => part.startsWith('.') || part === '')) return null;
  const root = path.resolve(mounts[prefix]);
  const file = path.resolve(root, relative);
  return file.startsWith(root + path.sep) ? file : null;
}

function notModified(requestHeaders, etag, lastModified) {
  const tags = requestHeaders['if-none-match'];
  if (tags !== undefined) {
    return tags.trim() === '*' || tags.split(',').some((tag) => tag.trim().replace(/^W\//, '') === etag.slice(2));
  }
  const since = Date.parse(requestHeaders['if-modified-since'] || '');
  return !Number.isNaN(since) && lastModified.getTime() <= since;
}

export function startServer(mounts, port = 0) {
  const gzipped = new Map(); // file -> {mtimeMs, body}
  const server = http.createServer((request, response) => {
    const file = resolve(mounts, request.url);
    let stat = null;
    try {
      stat = file && fs.statSync(file);
    } catch {
      stat = null;
    }
    if (!stat || !stat.isFile() || !['GET', 'HEAD'].includes(request.method)) {
      response.writeHead(404, { 'Content-Type': 'text/plain' }).end('not found\n');
      return;
    }
    // Weak: the gzip-compressed and the plain bytes are the same file.
    const etag = `W/"${stat.size.toString(16)}-${Math.floor(stat.mtimeMs).toString(16)}"`;
    const lastModified = new Date(Math.floor(stat.mtimeMs / 1000) * 1000);
    const headers = {
      'Content-Type': TYPES[path.extname(file)] || 'application/octet-stream',
      'Cache-Control': 'no-cache',
      Vary: 'Accept-Encoding',
      ETag: etag,
      'Last-Modified': lastModified.toUTCString(),
    };
    if (notModified(request.headers, etag, lastModified)) {
      response.writeHead(304, headers).end();
      return;
    }
    let body = fs.readFileSync(file);
    if (/\bgzip\b/.test(request.headers['accept-encoding'] || '')) {
      let cached = gzipped.get(file);
      if (!cached || cached.mtimeMs !== stat.mtimeMs) {
        cached = { mtimeMs: stat.mtimeMs, body: zlib.gzipSync(body, { level: 9 }) };
        gzipped.set(file, cached);
      }
      body = cached.body;
      headers['Content-Encoding'] = 'gzip';
    }
    headers['Content-Length'] = body.length;
    response.writeHead(200, headers);
    response.end(request.method === 'HEAD' ? undefined : body);
  });
  return new Promise((done, fail) => {
    server.once('error', fail);
    server.listen(port, '127.0.0.1', () => {
      done({ server, url: `http://127.0.0.1:${server.address().port}/` });
    });
  });
}

if (process.argv[1] === url.fileURLToPath(import.meta.url)) {
  const [dir, port = '8000'] = process.argv.slice(2);
  if (!dir || !fs.existsSync(path.join(dir, 'index.html'))) {
    console.error(`web-serve: no page in ${dir}: run tools/web build first`);
    process.exit(1);
  }
  const { url: address } = await startServer({ '/': dir }, Number(port));
  console.log(`Plorvik is served at ${address} (Ctrl+C stops it)`);
}
