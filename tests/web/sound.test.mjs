// SPDX-License-Identifier: Zlib
// Sound starts with the first key, and a shot is heard: what SDL hands Web Audio is
// captured, and the player's shot sample is found in it right after Z goes down in play.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { test } from 'node:test';
import { NO_SOUND_IN_FIREFOX, PATIENCE_MS, REPO, openGame, step, siteAndBrowser } from './browser.mjs';

const shared = siteAndBrowser();


// Runs before the page's scripts: keeps the first channel of every buffer of sound that
// SDL's script processor fills, after it has filled it.
function captureSound() {
  window.plorvikSound = [];
  const create = AudioContext.prototype.createScriptProcessor;
  AudioContext.prototype.createScriptProcessor = function (...args) {
    const node = create.apply(this, args);
    let fill = null;
    Object.defineProperty(node, 'onaudioprocess', { get: () => fill, set: (f) => { fill = f; } });
    node.addEventListener('audioprocess', (event) => {
      if (!fill) return;
      fill(event);
      window.plorvikSound.push(...event.outputBuffer.getChannelData(0));
    });
    return node;
  };
}

// The mono 16-bit samples of a WAV file, scaled to [-1, 1).
function wavSamples(file) {
  const bytes = fs.readFileSync(file);
  let at = 12;
  while (bytes.toString('ascii', at, at + 4) !== 'data') at += 8 + bytes.readUInt32LE(at + 4);
  const data = bytes.subarray(at + 8, at + 8 + bytes.readUInt32LE(at + 4));
  return Array.from({ length: data.length / 2 }, (_, i) => data.readInt16LE(i * 2) / 32768);
}

// The best normalised correlation of `sample` anywhere in `sound`.
function bestMatch(sound, sample) {
  const n = Math.min(sample.length, 2048);
  const norm = (a, from) => Math.sqrt(a.slice(from, from + n).reduce((s, v) => s + v * v, 0));
  const sampleNorm = norm(sample, 0);
  let best = 0;
  for (let at = 0; at + n <= sound.length; at += 1) {
    let dot = 0;
    for (let i = 0; i < n; ++i) dot += sound[at + i] * sample[i];
    const soundNorm = norm(sound, at);
    if (soundNorm > 0) best = Math.max(best, dot / (soundNorm * sampleNorm));
  }
  return best;
}

test('sound starts with the first key, and a shot in play is heard', { skip: NO_SOUND_IN_FIREFOX }, async () => {
  const { page, errors } = await openGame(shared.browser, shared.site, { stepped: true, beforeLoad: (p) => p.evaluateOnNewDocument(captureSound) });
  // The title, a key to start, the mission's intro: then play. Sound starts with the key.
  await step(page, 200);
  await new Promise((done) => setTimeout(done, 500));
  assert.equal(await page.evaluate(() => window.plorvikSound.length), 0, 'sound before any key');
  await page.keyboard.down('KeyZ');
  await step(page, 4);
  await page.keyboard.up('KeyZ');
  await step(page, 230);
  // Nothing moves now: wait until the sound so far has died away.
  await page.waitForFunction(() => {
    const s = window.plorvikSound;
    return s.length > 44100 && s.slice(-22050).every((v) => v === 0);
  }, { timeout: PATIENCE_MS, polling: 100 });
  const before = await page.evaluate(() => window.plorvikSound.length);
  await page.keyboard.down('KeyZ');
  await step(page, 1);
  await page.keyboard.up('KeyZ');
  await page.waitForFunction((from) => window.plorvikSound.length > from + 44100,
    { timeout: PATIENCE_MS, polling: 100 }, before);
  const heard = await page.evaluate((from) => window.plorvikSound.slice(from), before);
  const shot = wavSamples(path.join(REPO, 'assets/player_shot.wav'));
  assert.ok(bestMatch(heard, shot) > 0.9, `the shot's sample is not in what was played (best ${bestMatch(heard, shot)})`);
  assert.deepEqual(errors, []);
  await page.close();
});
