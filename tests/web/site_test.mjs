// The Griffwandler web site in Debian's chromium, as a visitor uses it: on a
// desktop viewport (keys, Tab order, links, "Ende", a second visit offline),
// on a phone (touch, both orientations), without WebGL and without
// JavaScript. Prints PASS or FAIL per check and, last, "N passed, N failed";
// writes the window's client area after start, after fret III and after a
// click on the old F to OUT, for the comparison with the Linux program.
//
//   node site_test.mjs SITE_URL OUT HOME_URL SECOND_URL
import puppeteer from 'puppeteer-core';
import {mkdir, writeFile} from 'node:fs/promises';
import {decodePng} from './png.mjs';

const [siteUrl, out, homeUrl, secondUrl] = process.argv.slice(2);
const WIDTH = 793, HEIGHT = 479;
let passed = 0, failed = 0;
function check(name, ok, detail = '') {
    if (ok) ++passed;
    else ++failed;
    console.log(`${ok ? 'PASS' : 'FAIL'} ${name}${detail ? ': ' + detail : ''}`);
    return ok;
}
const sleep = (ms) => new Promise((done) => setTimeout(done, ms));
async function until(what, ms = 10000) {
    const end = Date.now() + ms;
    for (;;) {
        const value = await what();
        if (value || Date.now() > end)
            return value;
        await sleep(50);
    }
}

const chromium = ['--no-sandbox', '--use-angle=swiftshader', '--enable-unsafe-swiftshader',
    '--disable-background-networking', '--disable-component-update', '--no-first-run',
    '--disable-sync', '--disable-quic', '--disable-features=Translate,MediaRouter'];
async function launch(extra = []) {
    return puppeteer.launch({executablePath: '/usr/bin/chromium', headless: true,
                             args: [...chromium, ...extra]});
}

// Everything the pages say on the console; a warning or error is a failure.
const console_ = [];
function watch(page, label) {
    page.on('console', (message) => console_.push(`${label} ${message.type()}: ${message.text()}`));
    page.on('pageerror', (error) => console_.push(`${label} pageerror: ${error.message}`));
    return page;
}

async function started(page) {
    return until(() => page.evaluate(
        () => performance.getEntriesByName('griffwandler-erstes-bild').length > 0), 30000);
}

async function screenshot(page) {
    return decodePng(Buffer.from(await page.screenshot({type: 'png'})));
}

const same = (a, b) => a[0] === b[0] && a[1] === b[1] && a[2] === b[2];
const SHADOW = [128, 128, 128];

// The window's client area in a 1:1 screenshot: its sunken edge begins with a
// shadow-grey line along the top and the left.
function findWindow(shot) {
    for (let y = 0; y < shot.height; ++y) {
        let run = 0;
        for (let x = 0; x < shot.width; ++x) {
            run = same(shot.pixel(x, y), SHADOW) ? run + 1 : 0;
            if (run === WIDTH - 1) {
                const left = x - run + 1;
                if (same(shot.pixel(left, y + HEIGHT - 2), SHADOW))
                    return {x: left, y};
            }
        }
    }
    return null;
}

// Pixels of the client area, at window coordinates.
function at(shot, window, x, y) {
    return shot.pixel(window.x + x, window.y + y);
}
const NAVY = [0, 0, 128], BROWN = [128, 98, 62], BLACK = [0, 0, 0];
const stripShown = (shot, window, k) => same(at(shot, window, 112, 239 + 40 * k), NAVY);

async function clientShot(page, window, name) {
    await sleep(300); // let the frame be painted
    const png = await page.screenshot({type: 'png', clip: {x: window.x, y: window.y,
                                                           width: WIDTH, height: HEIGHT}});
    await writeFile(`${out}/web-${name}.png`, png);
}

await mkdir(out, {recursive: true});

// --- Desktop viewport ----------------------------------------------------------
{
    const browser = await launch();
    const page = watch(await browser.newPage(), 'desktop');
    await page.setViewport({width: 1024, height: 768});
    await page.goto(siteUrl);
    check('the page is German and titled Griffwandler',
          (await page.evaluate(() => document.documentElement.lang)) === 'de' &&
          (await page.title()) === 'Griffwandler');
    const shown = await started(page);
    check('the window is shown', shown);
    let shot = await screenshot(page);
    const window = findWindow(shot);
    check('the window with its sunken edge is found', window !== null, JSON.stringify(window));
    if (!shown || !window) {
        console.log(console_.join('\n'));
        console.log(`${passed} passed, ${failed} failed`);
        process.exit(1);
    }
    check('the window is centred in the viewport',
          Math.abs(2 * window.x + WIDTH - 1024) <= 1 && Math.abs(2 * window.y + HEIGHT - 768) <= 1,
          `at ${window.x},${window.y}`);
    check('the loading screen is gone', await page.evaluate(
        () => document.getElementById('laden').hidden));
    check('no title bar above the window',
          !same(at(shot, window, 400, -10), [255, 255, 255]) &&
          same(shot.pixel(window.x + 400, window.y - 3), shot.pixel(5, 5)),
          `above: ${shot.pixel(window.x + 400, window.y - 3)}`);
    check('the description for screen readers is in the page',
          (await page.evaluate(() => document.getElementById('beschreibung').textContent))
              .includes('Bildschirmleser'));
    const tree = JSON.stringify(await page.accessibility.snapshot());
    check('assistive technology reads the description', tree.includes('Kapo-Tabelle'));
    await clientShot(page, window, 'start');

    // Focus starts on "Ende"; Tab goes through the frets, both rows of cards,
    // "Webseite" and back to "Ende". A focused button wears a black frame.
    const focused = async (x, y) => same(at(await screenshot(page), window, x, y), BLACK);
    check('the focus starts on Ende', await focused(700, 432));
    const stops = [[1, 'fret I', 40, 208], [5, 'fret V', 40, 368], [6, 'old C', 220, 168],
                   [12, 'old Fis', 388, 112], [18, 'new C', 220, 336], [30, 'Webseite', 600, 432],
                   [31, 'Ende again', 700, 432]];
    let pressed = 0;
    for (const [count, name, x, y] of stops) {
        while (pressed < count) {
            await page.keyboard.press('Tab');
            ++pressed;
        }
        await sleep(150);
        check(`Tab ${count} reaches ${name}`, await focused(x, y));
    }

    for (let k = 0; k < 5; ++k) {
        await page.keyboard.press(String(k + 1));
        await sleep(300);
        shot = await screenshot(page);
        check(`key ${k + 1} puts the capo on fret ${k + 1} alone`,
              [0, 1, 2, 3, 4].every((j) => stripShown(shot, window, j) === (j === k)));
    }

    await page.mouse.click(window.x + 52, window.y + 308); // fret III
    await sleep(300);
    shot = await screenshot(page);
    check('a click on fret III shows its capo strip', stripShown(shot, window, 2));
    await clientShot(page, window, 'fret-3');
    await page.mouse.click(window.x + 372, window.y + 188); // the old F
    await sleep(300);
    shot = await screenshot(page);
    check('a click on the old F shows the pointer line under it',
          same(at(shot, window, 372, 215), BROWN) && !same(at(shot, window, 324, 215), BROWN));
    await clientShot(page, window, 'card-f');
    await writeFile(`${out}/web-desktop.png`, await page.screenshot({type: 'png'}));

    // Both links open a new tab with exactly their address, each click again,
    // and the new tab cannot reach back into this page.
    const opened = [];
    browser.on('targetcreated', (target) => opened.push(target));
    const links = [['Webseite', 612, 448, homeUrl], ['Webseite', 612, 448, homeUrl],
                   ['the red heading', 376, 239, secondUrl], ['the red heading', 376, 239, secondUrl]];
    for (const [name, x, y, address] of links) {
        const before = opened.length;
        await page.mouse.click(window.x + x, window.y + y);
        const tab = await until(() => opened.length > before && opened[before]);
        const url = tab && await until(() => tab.url() === address && tab.url(), 5000);
        check(`${name} opens ${address} in a new tab`, url === address, tab ? tab.url() : 'no tab');
        const other = tab && await tab.page();
        if (other) {
            check(`that tab has no opener`, await other.evaluate(() => window.opener === null));
            await other.close();
        }
        await page.bringToFront();
    }
    shot = await screenshot(page);
    check('the pointer is the hand again afterwards, no busy pointer',
          (await page.evaluate(() => getComputedStyle(document.querySelector('#fenster canvas')).cursor)) !== 'wait');

    // A second visit with the network off starts from the site's own cache.
    check('the site keeps itself for visits without a network', await page.evaluate(
        () => navigator.serviceWorker.ready.then((registration) => registration.active !== null)));
    await page.setOfflineMode(true);
    await page.reload();
    check('a second visit with the network off starts the program', await started(page));
    await page.setOfflineMode(false);

    // "Ende" ends the program; the page says so and offers a new start.
    shot = await screenshot(page);
    const again = findWindow(shot);
    await page.mouse.click(again.x + 728, again.y + 448);
    const ended = await until(() => page.evaluate(() => !document.getElementById('beendet').hidden));
    check('Ende gives the ended page', ended);
    check('it says so in German', (await page.evaluate(
        () => document.getElementById('beendet').innerText)).includes('Griffwandler wurde beendet'));
    check('the program is gone from the page', await page.evaluate(
        () => !document.getElementById('fenster') && !document.querySelector('canvas')));
    const messages = console_.length;
    await page.keyboard.press('3');
    await page.mouse.click(512, 384);
    await page.setViewport({width: 900, height: 700});
    await sleep(500);
    check('nothing of the program reacts afterwards', console_.length === messages,
          console_.slice(messages).join(' | '));
    await page.click('#neu-starten');
    check('a new start brings the window back', await started(page));
    await browser.close();
}

// --- A phone: 390 x 844 at device pixel ratio 3, touch, both orientations ------
{
    const browser = await launch();
    const page = watch(await browser.newPage(), 'phone');
    for (const [name, width, height] of [['portrait', 390, 844], ['landscape', 844, 390]]) {
        await page.setViewport({width, height, deviceScaleFactor: 3, isMobile: true, hasTouch: true,
                                isLandscape: width > height});
        await page.goto(siteUrl);
        check(`${name}: the window is shown`, await started(page));
        const fit = await page.evaluate(() => {
            const canvas = document.querySelector('#fenster canvas').getBoundingClientRect();
            const view = window.visualViewport;
            return {scrolls: document.scrollingElement.scrollWidth > window.innerWidth ||
                             document.scrollingElement.scrollHeight > window.innerHeight,
                    scale: view.scale, layout: [window.innerWidth, window.innerHeight],
                    canvas: [canvas.width, canvas.height], dpr: window.devicePixelRatio};
        });
        console.log(`  ${name}: ${JSON.stringify(fit)}`);
        check(`${name}: nothing scrolls`, !fit.scrolls);
        check(`${name}: the whole window fits the screen`,
              fit.layout[0] >= WIDTH && fit.layout[1] >= HEIGHT &&
              fit.layout[0] * fit.scale <= width + 1 && fit.layout[1] * fit.scale <= height + 1);
        // Taps, in the page's own coordinates.
        const left = (fit.layout[0] - WIDTH) / 2, top = (fit.layout[1] - HEIGHT) / 2;
        await page.touchscreen.tap(left + 52, top + 308); // fret III
        await sleep(400);
        await page.touchscreen.tap(left + 372, top + 188); // the old F
        await sleep(400);
        const png = await page.screenshot({type: 'png', captureBeyondViewport: false});
        await writeFile(`${out}/web-phone-${name}.png`, png);
        const shot = decodePng(Buffer.from(png));
        const toShot = (x, y) => [Math.round((left + x) * fit.scale * fit.dpr),
                                  Math.round((top + y) * fit.scale * fit.dpr)];
        const near = (a, b) => a.every((v, i) => Math.abs(v - b[i]) <= 24);
        const [sx, sy] = toShot(112, 319);
        const [lx, ly] = toShot(372, 214);
        check(`${name}: a tap on fret III shows its capo strip`, near(shot.pixel(sx, sy), NAVY),
              String(shot.pixel(sx, sy)));
        check(`${name}: a tap on the old F shows the pointer line`, near(shot.pixel(lx, ly), BROWN),
              String(shot.pixel(lx, ly)));
    }
    await browser.close();
}

// --- A browser that blocks the new tab: the program's message, with a link ------
{
    const browser = await launch();
    const page = watch(await browser.newPage(), 'blocked');
    await page.setViewport({width: 1024, height: 768});
    await page.evaluateOnNewDocument(() => { window.open = () => null; }); // as a pop-up blocker does
    await page.goto(siteUrl);
    await started(page);
    const window = findWindow(await screenshot(page));
    await page.mouse.click(window.x + 612, window.y + 448); // Webseite
    const told = await until(() => page.evaluate(() => !document.getElementById('meldung').hidden &&
        [document.getElementById('meldung-text').textContent,
         document.getElementById('meldung-adresse').href]));
    check('a blocked tab is told with the program\'s German message',
          told && told[0].startsWith('Die Webseite konnte nicht geöffnet werden.') && told[1] === homeUrl,
          JSON.stringify(told));
    await page.click('#meldung-ok');
    check('the message can be dismissed', await page.evaluate(
        () => document.getElementById('meldung').hidden));
    // The access keys, as far as the browser passes Alt and a letter on.
    await page.keyboard.down('Alt');
    await page.keyboard.press('KeyW');
    await page.keyboard.up('Alt');
    check('Alt+W clicks Webseite', await until(() => page.evaluate(
        () => !document.getElementById('meldung').hidden)));
    await page.click('#meldung-ok');
    await page.keyboard.down('Alt');
    await page.keyboard.press('KeyE');
    await page.keyboard.up('Alt');
    check('Alt+E ends the program', await until(() => page.evaluate(
        () => !document.getElementById('beendet').hidden)));
    await browser.close();
}

// --- Without WebGL, and without JavaScript: one German sentence -----------------
{
    const browser = await launch(['--disable-webgl', '--disable-3d-apis']);
    const page = watch(await browser.newPage(), 'no-webgl');
    await page.goto(siteUrl);
    const text = await until(() => page.evaluate(() => !document.getElementById('fehler').hidden &&
                                                        document.getElementById('fehler').innerText));
    check('without WebGL the page says so in German', text && text.includes('WebGL'), text);
    await browser.close();
}
{
    const browser = await launch();
    const page = watch(await browser.newPage(), 'no-wasm');
    await page.evaluateOnNewDocument(() => { delete window.WebAssembly; }); // as an old browser
    await page.goto(siteUrl);
    const text = await until(() => page.evaluate(() => !document.getElementById('fehler').hidden &&
                                                        document.getElementById('fehler').innerText));
    check('without WebAssembly the page says so in German', text && text.includes('WebAssembly'), text);
    await browser.close();
}
{
    const browser = await launch();
    const page = await browser.newPage();
    await page.setJavaScriptEnabled(false);
    await page.goto(siteUrl);
    const text = await page.evaluate(() => document.body.innerText);
    check('without JavaScript the page says so in German', text.includes('braucht JavaScript'), text);
    await browser.close();
}

// Without WebGL the browser itself complains on the console; that is expected.
const noisy = console_.filter((line) => /(warn|warning|error|pageerror):/.test(line) &&
                                        !line.startsWith('no-webgl'));
check('no console errors or warnings', noisy.length === 0, noisy.join(' | '));
console.log(`${passed} passed, ${failed} failed`);
process.exit(failed ? 1 : 0);
