// SPDX-License-Identifier: Zlib
// Keeps the page's files for play without a network. Each build has a cache of its own,
// filled whole when its worker installs; the cache of an older build goes as soon as a
// newer one takes over, on the first visit with the network up after it was built.
'use strict';
const CACHE = 'plorvik-@BUILD@';
const FILES = [@FILES@];

self.addEventListener('install', (event) => {
  // Asked again of the server, which answers "not modified" for what the page just loaded.
  const requests = FILES.map((file) => new Request(file, { cache: 'no-cache' }));
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(requests)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter((name) => name !== CACHE).map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});

self.addEventListener('fetch', (event) => {
  event.respondWith(caches.open(CACHE)
    .then((cache) => cache.match(event.request, { ignoreSearch: true }))
    .then((kept) => kept || fetch(event.request)));
});
