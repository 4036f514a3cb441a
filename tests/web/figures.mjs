// SPDX-License-Identifier: Zlib
// The browser build's figures beside the desktop build's, on this machine: what a player
// downloads, how soon the game draws (here, and on DevTools' throttled mobile networks),
// and the cost of a frame of play with 100 enemies and 200 shots (the same program,
// plorvik_frame_cost, in both). Run by tools/web bench.
import { execFileSync } from 'node:child_process';
import path from 'node:path';
import { PredefinedNetworkConditions } from 'puppeteer-core';
import { DESKTOP_BUILD, PATIENCE_MS, REPO, launchBrowser, runInPage, startSite } from './browser.mjs';

const FRAME_COST = /whole frame, 100 enemies \+ 200 shots: ([\d.]+) ms/;

// A first visit: nothing kept from an earlier one.
async function pageFigures(browser, site, network = null) {
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  const cdp = await page.createCDPSession();
  await cdp.send('Network.enable');
  await cdp.send('Network.setCacheDisabled', { cacheDisabled: true });
  if (network) await page.emulateNetworkConditions(PredefinedNetworkConditions[network]);
  let transferred = 0;
  cdp.on('Network.loadingFinished', (event) => { transferred += event.encodedDataLength; });
  await page.goto(site.url, { waitUntil: 'load', timeout: PATIENCE_MS });
  // The status line changes as the game's first frame runs.
  await page.waitForFunction(() => document.getElementById('status').textContent.startsWith('Press any'),
    { timeout: PATIENCE_MS, polling: 5 });
  const firstFrameMs = await page.evaluate(() => performance.now());
  await context.close();
  return { transferred, firstFrameMs };
}

function desktopFrameCost(command, env) {
  const out = execFileSync(command[0], command.slice(1), {
    cwd: REPO, encoding: 'utf8', stdio: ['ignore', 'pipe', 'ignore'],
    env: { ...process.env, SDL_AUDIODRIVER: 'dummy', SDL_RENDER_VSYNC: '0', ...env },
  });
  return Number(out.match(FRAME_COST)[1]);
}

const site = await startSite();
const browser = await launchBrowser();
const runs = [];
for (let i = 0; i < 3; ++i) runs.push(await pageFigures(browser, site));
runs.sort((a, b) => a.firstFrameMs - b.firstFrameMs);
const throttled = {};
for (const network of ['Slow 4G', 'Fast 4G']) throttled[network] = (await pageFigures(browser, site, network)).firstFrameMs;
const [costLine] = await runInPage({ browser, site }, 'plorvik_frame_cost');
const webMs = Number(costLine.match(FRAME_COST)[1]);
await browser.close();
site.server.close();
const program = path.join(DESKTOP_BUILD, 'bench/plorvik_frame_cost');
const openGlMs = desktopFrameCost(['xvfb-run', '-a', program], {});
const softwareMs = desktopFrameCost([program], { SDL_VIDEODRIVER: 'dummy', SDL_RENDER_DRIVER: 'software' });

const rows = [
  ['downloaded, gzip-compressed, page and assets', `${(runs[1].transferred / 1e6).toFixed(3)} MB`],
  ['page load to the first frame (median of 3)', `${runs[1].firstFrameMs.toFixed(0)} ms`],
  ...Object.entries(throttled).map(([network, ms]) => [`the same on DevTools' "${network}"`, `${ms.toFixed(0)} ms`]),
  ['whole frame, 100 enemies + 200 shots: browser, WebGL', `${webMs.toFixed(3)} ms`],
  ['the same on the desktop, OpenGL under Xvfb, no vsync', `${openGlMs.toFixed(3)} ms`],
  ['the same on the desktop, software renderer', `${softwareMs.toFixed(3)} ms`],
  ['browser against desktop OpenGL', `${(webMs / openGlMs).toFixed(2)}x`],
];
const width = Math.max(...rows.map((r) => r[0].length));
for (const [what, figure] of rows) console.log(`${what.padEnd(width)}  ${figure}`);
