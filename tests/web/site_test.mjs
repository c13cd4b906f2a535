// The Griffwandler web site as a visitor uses it, in chromium, Firefox ESR and
// WebKitGTK, pop-up blockers on: on a desktop viewport (keys, Tab order,
// a second visit offline, an empty cache offline, links, a blocked tab,
// "Ende"), in a browser window narrower than the program, and with nothing
// reported as an error, warning or policy violation. Chromium alone also
// emulates a phone (touch, both orientations) and a browser without WebGL,
// WebAssembly or JavaScript. Prints TAP (ok / not ok per check, the plan
// last) and a closing line "N passed, N failed"; writes the window's client
// area after start, after fret III and after a click on the old F to OUT as
// web-ENGINE-STATE.png, for the comparison with the Linux program.
//
//   node site_test.mjs SITE_URL OUT HOME_URL SECOND_URL [ENGINE...]
import {mkdir, writeFile} from 'node:fs/promises';
import {ENGINES, openEngine} from './engines.mjs';
import {decodePng, encodePng} from './png.mjs';

const [siteUrl, out, homeUrl, secondUrl, ...chosen] = process.argv.slice(2);
const engines = chosen.length ? chosen : ENGINES;
const WIDTH = 793, HEIGHT = 479;
let passed = 0, failed = 0, engine = '';
function check(name, ok, detail = '') {
    if (ok) ++passed;
    else ++failed;
    console.log(`${ok ? 'ok' : 'not ok'} ${passed + failed} - ${engine}: ${name}`);
    if (!ok && detail)
        console.log(`#   ${String(detail).replace(/\n/g, ' ')}`);
    return ok;
}
const note = (text) => console.log(`# ${engine}: ${text}`);
const sleep = (ms) => new Promise((done) => setTimeout(done, ms));
async function until(what, ms = 10000) {
    const end = Date.now() + ms;
    for (;;) {
        const value = await what().catch(() => false);
        if (value || Date.now() > end)
            return value;
        await sleep(50);
    }
}
// The test server's switch for the network.
const network = (on) => fetch(new URL(on ? '.network-on' : '.network-off', siteUrl), {method: 'POST'});

const started = (browser) => until(() => browser.evaluate(
    () => performance.getEntriesByName('griffwandler-first-frame').length > 0), 60000);
const shown = (browser, id) => browser.evaluate((id) => !document.getElementById(id).hidden, id);
const screenshot = async (browser) => decodePng(await browser.screenshot());

const same = (a, b) => a[0] === b[0] && a[1] === b[1] && a[2] === b[2];
const SHADOW = [128, 128, 128];

// The window's top left corner in a 1:1 screenshot: its sunken edge begins
// with shadow-grey lines along the top and the left, as long as the window
// or as the screenshot allows, short of the scroll bars an engine lays over
// the page's right and bottom edge (WebKitGTK does) when the window is cut.
const SCROLL_BAR = 16;
function findWindow(shot) {
    for (let y = 0; y < shot.height; ++y)
        for (let x = 0; x < shot.width; ++x) {
            if (!same(shot.pixel(x, y), SHADOW))
                continue;
            const across = Math.min(WIDTH - 1, shot.width - x - SCROLL_BAR);
            const down = Math.min(HEIGHT - 1, shot.height - y - SCROLL_BAR);
            let ok = across >= 300 && down >= 300;
            for (let i = 1; ok && i < across; ++i)
                ok = same(shot.pixel(x + i, y), SHADOW);
            for (let i = 1; ok && i < down; ++i)
                ok = same(shot.pixel(x, y + i), SHADOW);
            if (ok)
                return {x, y};
        }
    return null;
}

// Pixels of the client area, at window coordinates.
const at = (shot, window, x, y) => shot.pixel(window.x + x, window.y + y);
const NAVY = [0, 0, 128], BROWN = [128, 98, 62], BLACK = [0, 0, 0];
const stripShown = (shot, window, k) => same(at(shot, window, 112, 239 + 40 * k), NAVY);

async function clientShot(browser, window, name) {
    await sleep(300); // let the frame be painted
    await writeFile(`${out}/web-${engine}-${name}.png`,
                    encodePng(await screenshot(browser), window.x, window.y, WIDTH, HEIGHT));
}

// Clicks and waits for the tab that opens, looked at and closed.
async function openedTab(browser, x, y) {
    await browser.click(x, y);
    let tabs = [];
    await until(async () => (tabs = await browser.newTabs()).length > 0, 5000);
    return tabs;
}

async function desktop(browser) {
    await browser.viewport(1024, 768);
    await browser.goto(siteUrl);
    check('the page is German and titled Griffwandler', await browser.evaluate(
        () => document.documentElement.lang === 'de' && document.title === 'Griffwandler'));
    const up = await started(browser);
    check('the window is shown', up);
    note(`first frame ${Math.round(await browser.evaluate(
        () => performance.getEntriesByName('griffwandler-first-frame')[0]?.startTime))} ms after navigation`);
    let shot = await screenshot(browser);
    const window = findWindow(shot);
    check('the window with its sunken edge is found', window !== null, JSON.stringify(window));
    if (!up || !window)
        return;
    check('the window is centred in the viewport',
          Math.abs(2 * window.x + WIDTH - 1024) <= 1 && Math.abs(2 * window.y + HEIGHT - 768) <= 1,
          `at ${window.x},${window.y}`);
    check('the loading screen and the start picture are gone',
          !(await shown(browser, 'laden')) && !(await shown(browser, 'startbild')));
    const picture = await browser.evaluate(() => [document.getElementById('startbild').style.left,
                                                  document.getElementById('startbild').style.top]);
    check('the start picture stood where the window is', picture[0] === `${window.x}px` &&
          picture[1] === `${window.y}px`, `picture at ${picture}, window at ${window.x},${window.y}`);
    check('no title bar above the window',
          !same(at(shot, window, 400, -10), [255, 255, 255]) &&
          same(shot.pixel(window.x + 400, window.y - 3), shot.pixel(5, 5)),
          `above: ${shot.pixel(window.x + 400, window.y - 3)}`);
    check('the description for screen readers is in the page', (await browser.evaluate(
        () => document.getElementById('beschreibung').textContent)).includes('Bildschirmleser'));
    if (browser.page && engine === 'chromium') {
        const tree = JSON.stringify(await browser.page.accessibility.snapshot());
        check('assistive technology reads the description', tree.includes('Kapo-Tabelle'));
    }
    await clientShot(browser, window, 'start');

    // Focus starts on "Ende"; Tab goes through the frets, both rows of cards,
    // "Webseite" and back to "Ende". A focused button wears a black frame.
    const focused = async (x, y) => same(at(await screenshot(browser), window, x, y), BLACK);
    check('the focus starts on Ende', await focused(700, 432));
    const stops = [[1, 'fret I', 40, 208], [5, 'fret V', 40, 368], [6, 'old C', 220, 168],
                   [12, 'old Fis', 388, 112], [18, 'new C', 220, 336], [30, 'Webseite', 600, 432],
                   [31, 'Ende again', 700, 432]];
    let pressed = 0;
    for (const [count, name, x, y] of stops) {
        while (pressed < count) {
            await browser.press('Tab');
            ++pressed;
        }
        await sleep(150);
        check(`Tab ${count} reaches ${name}`, await focused(x, y));
    }

    for (let k = 0; k < 5; ++k) {
        await browser.press(String(k + 1));
        await sleep(300);
        shot = await screenshot(browser);
        check(`key ${k + 1} puts the capo on fret ${k + 1} alone`,
              [0, 1, 2, 3, 4].every((j) => stripShown(shot, window, j) === (j === k)));
    }

    await browser.click(window.x + 52, window.y + 308); // fret III
    await sleep(300);
    shot = await screenshot(browser);
    check('a click on fret III shows its capo strip', stripShown(shot, window, 2));
    await clientShot(browser, window, 'fret-3');
    await browser.click(window.x + 372, window.y + 188); // the old F
    await sleep(300);
    shot = await screenshot(browser);
    check('a click on the old F shows the pointer line under it',
          same(at(shot, window, 372, 215), BROWN) && !same(at(shot, window, 324, 215), BROWN));
    await clientShot(browser, window, 'card-f');
    await writeFile(`${out}/web-${engine}-desktop.png`, await browser.screenshot());

    // A second visit with the network off starts from the site's own cache;
    // with an emptied cache it says in German what happened. Before the links
    // are used: WebKitGTK's automation runs in a temporary profile, whose
    // cache storage is found empty once a link has opened a window (a
    // profile that is kept keeps it).
    check('the site keeps itself for visits without a network', await until(() => browser.evaluate(
        () => Promise.race([navigator.serviceWorker.ready.then((registration) => registration.active !== null)
                                .then((active) => active && caches.keys().then((names) => names.length > 0)),
                            new Promise((late) => setTimeout(() => late(false), 2000))]))));
    await network(false);
    await browser.reload();
    check('a second visit with the network off starts the program', await started(browser),
          await browser.evaluate(() => document.body.innerText.slice(0, 300)).catch(String));
    await browser.evaluate(() => caches.keys().then((names) => Promise.all(names.map((n) => caches.delete(n)))));
    await browser.reload();
    const offline = await until(() => browser.evaluate(() => document.body && document.body.innerText), 10000);
    check('offline with an emptied cache the page says in German that a connection is needed once',
          typeof offline === 'string' && offline.includes('Griffwandler braucht einmal eine Verbindung'),
          offline);
    await network(true);
    await browser.goto(siteUrl);
    check('back online the program starts', await started(browser));
    await sleep(1000);
    check('and the site is kept again', await until(() => browser.evaluate(
        () => caches.keys().then((names) => names.length === 1 && caches.open(names[0]))
                  .then((cache) => cache && cache.keys()).then((files) => files && files.length > 5))));

    // Both links open a new tab with exactly their address, each click
    // again, past the pop-up blocker, and the new tab cannot reach back.
    for (const [name, x, y, address] of [['Webseite', 612, 448, homeUrl], ['Webseite', 612, 448, homeUrl],
                                         ['the red heading', 376, 239, secondUrl],
                                         ['the red heading', 376, 239, secondUrl]]) {
        const tabs = await openedTab(browser, window.x + x, window.y + y);
        check(`${name} opens ${address} in one new tab that has no opener`,
              tabs.length === 1 && tabs[0].url === address && tabs[0].noOpener === true,
              JSON.stringify(tabs));
    }

    // A browser that blocks the new tab: the program's message, with a link.
    await browser.evaluate(() => {
        window.griffwandlerOpen = window.open;
        window.open = () => null;
    });
    await browser.click(window.x + 612, window.y + 448); // Webseite
    const told = await until(() => browser.evaluate(() => !document.getElementById('meldung').hidden &&
        [document.getElementById('meldung-text').textContent,
         document.getElementById('meldung-adresse').href]));
    check('a blocked tab is told with the program\'s German message',
          told && told[0].startsWith('Die Webseite konnte nicht geöffnet werden.') && told[1] === homeUrl,
          JSON.stringify(told));
    const ok = await browser.evaluate(() => {
        const r = document.getElementById('meldung-ok').getBoundingClientRect();
        return [r.x + r.width / 2, r.y + r.height / 2];
    });
    await browser.click(...ok);
    check('the message can be dismissed', await until(async () => !(await shown(browser, 'meldung'))));
    await browser.alt('w');
    check('Alt+W clicks Webseite', await until(() => shown(browser, 'meldung'), 3000));
    await browser.evaluate(() => {
        document.getElementById('meldung-ok').click();
        window.open = window.griffwandlerOpen;
    });

    // "Ende" ends the program; the page says so and offers a new start.
    const again = findWindow(await screenshot(browser));
    await browser.click(again.x + 728, again.y + 448);
    check('Ende gives the ended page', await until(() => shown(browser, 'beendet')));
    check('it says so in German', (await browser.evaluate(
        () => document.getElementById('beendet').innerText)).includes('Griffwandler wurde beendet'));
    check('the program is gone from the page', await browser.evaluate(
        () => !document.getElementById('fenster') && !document.querySelector('canvas')));
    const before = await browser.log();
    await browser.press('3');
    await browser.click(512, 384);
    await browser.viewport(900, 700);
    await sleep(500);
    const after = await browser.log();
    check('nothing of the program reacts afterwards', after.length === 0, after.join(' | '));
    await browser.evaluate(() => document.getElementById('neu-starten').click());
    check('a new start brings the window back', await started(browser));
    // Keys reach the window once its canvas holds the focus; after a new
    // start Firefox gives it that a moment after the first frame.
    await until(() => browser.evaluate(() => document.activeElement?.tagName === 'CANVAS'));
    await browser.alt('e');
    check('Alt+E ends the program', await until(() => shown(browser, 'beendet'), 3000));
    return before;
}

// A first visit over a slow network (10 Mbit/s, 150 ms round trips): the
// window's start picture shows while the program loads, with the progress
// beside it, and the window then appears exactly over it.
async function slowFirstVisit(browser) {
    const page = browser.page;
    await browser.viewport(1024, 768);
    await page.emulateNetworkConditions({download: 10e6 / 8, upload: 10e6 / 8, latency: 150});
    await browser.goto(siteUrl);
    // The picture and, at that moment, where the progress is.
    const early = await until(() => browser.evaluate(() => {
        const laden = document.getElementById('laden');
        if (!performance.getEntriesByName('griffwandler-startbild').length || laden.hidden)
            return false;
        const bar = laden.getBoundingClientRect();
        const bild = document.getElementById('startbild').getBoundingClientRect();
        return {visible: bar.height > 0 && bar.bottom <= window.innerHeight,
                apart: bar.top >= bild.bottom || bar.bottom <= bild.top};
    }), 30000);
    const png = await browser.screenshot();
    const still = await shown(browser, 'startbild');
    const pictureShot = decodePng(png);
    await writeFile(`${out}/web-${engine}-startbild.png`, png);
    check('slow first visit: the start picture shows while the program loads', !!early && still);
    check('slow first visit: the progress shows beside the picture', early && early.visible && early.apart,
          JSON.stringify(early));
    check('slow first visit: the program comes', await started(browser));
    await page.emulateNetworkConditions(null);
    await sleep(300);
    const liveShot = await screenshot(browser);
    const window = findWindow(liveShot);
    let differ = -1;
    if (window) {
        differ = 0;
        for (let y = 0; y < HEIGHT; ++y)
            for (let x = 0; x < WIDTH; ++x)
                differ += !same(at(pictureShot, window, x, y), at(liveShot, window, x, y));
    }
    check('slow first visit: the window replaces the picture without a shift, pixel for pixel',
          differ === 0, `${differ} pixels differ`);
}

// A browser window narrower than the program: the page scrolls to every part
// of the window, the frets on the left and "Ende" on the right.
async function narrow(browser) {
    const [width, height] = [447, 844];
    await browser.viewport(width, height);
    await browser.goto(siteUrl);
    check('narrow window: the window is shown', await started(browser));
    const reach = await browser.evaluate(() => {
        const page = document.scrollingElement;
        page.scrollLeft = 0;
        const canvas = document.querySelector('#fenster canvas').getBoundingClientRect();
        return {scrollWidth: page.scrollWidth, canvas: [canvas.left, canvas.width]};
    });
    check('narrow window: the page scrolls as far as the window is wide',
          reach.scrollWidth >= WIDTH && reach.canvas[0] === 0 && reach.canvas[1] >= WIDTH,
          JSON.stringify(reach));
    await sleep(300);
    const window = findWindow(await screenshot(browser));
    check('narrow window: the window begins at the left edge of the page', window && window.x === 0,
          JSON.stringify(window));
    if (!window)
        return;
    await browser.click(window.x + 52, window.y + 308); // fret III
    await sleep(300);
    const shot = await screenshot(browser);
    check('narrow window: a click on fret III shows its capo strip', stripShown(shot, window, 2));
    await writeFile(`${out}/web-${engine}-narrow.png`, await browser.screenshot());
    const scrolled = await browser.evaluate(() => {
        const page = document.scrollingElement;
        page.scrollLeft = page.scrollWidth;
        return page.scrollLeft;
    });
    await sleep(300);
    await browser.click(window.x + 728 - scrolled, window.y + 448); // Ende, at the right
    check('narrow window: Ende at the right is reached and ends the program',
          await until(() => shown(browser, 'beendet')), `scrolled by ${scrolled}`);
}

// A phone: 390 x 844 at device pixel ratio 3, touch, both orientations.
async function phone(browser) {
    const page = browser.page;
    for (const [name, width, height] of [['portrait', 390, 844], ['landscape', 844, 390]]) {
        await page.setViewport({width, height, deviceScaleFactor: 3, isMobile: true, hasTouch: true,
                                isLandscape: width > height});
        await browser.goto(siteUrl);
        check(`phone ${name}: the window is shown`, await started(browser));
        const fit = await page.evaluate(() => {
            const canvas = document.querySelector('#fenster canvas').getBoundingClientRect();
            const view = window.visualViewport;
            return {scrolls: document.scrollingElement.scrollWidth > window.innerWidth ||
                             document.scrollingElement.scrollHeight > window.innerHeight,
                    scale: view.scale, layout: [window.innerWidth, window.innerHeight],
                    canvas: [canvas.width, canvas.height], dpr: window.devicePixelRatio};
        });
        note(`phone ${name}: ${JSON.stringify(fit)}`);
        check(`phone ${name}: nothing scrolls`, !fit.scrolls);
        check(`phone ${name}: the whole window fits the screen`,
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
        check(`phone ${name}: a tap on fret III shows its capo strip`, near(shot.pixel(sx, sy), NAVY),
              String(shot.pixel(sx, sy)));
        check(`phone ${name}: a tap on the old F shows the pointer line`, near(shot.pixel(lx, ly), BROWN),
              String(shot.pixel(lx, ly)));
    }
}

// Without WebGL, WebAssembly or JavaScript: one German sentence.
async function without(what, args, prepare) {
    const browser = await openEngine('chromium', {args});
    try {
        await prepare(browser.page);
        await browser.goto(siteUrl);
        const expected = {WebGL: 'WebGL', WebAssembly: 'WebAssembly', JavaScript: 'braucht JavaScript'}[what];
        const text = () => browser.evaluate(() => document.body.innerText);
        check(`without ${what} the page says so in German`,
              await until(async () => (await text()).includes(expected)), await text());
    } finally {
        await browser.close();
    }
}

await mkdir(out, {recursive: true});
for (engine of engines) {
    const begun = Date.now();
    let browser;
    try {
        browser = await openEngine(engine);
        note(`browser up in ${Date.now() - begun} ms`);
        if (engine === 'chromium')
            await slowFirstVisit(browser);
        const noise = [...(await desktop(browser)) ?? []];
        noise.push(...await browser.log());
        await narrow(browser);
        if (engine === 'chromium')
            await phone(browser);
        noise.push(...await browser.log());
        check('no console error, warning, unhandled rejection or policy violation', noise.length === 0,
              noise.join(' | '));
    } catch (error) {
        check('the checks run to their end', false, error.stack);
    } finally {
        await browser?.close().catch(() => {});
    }
    note(`all checks in ${Math.round((Date.now() - begun) / 1000)} s`);
}
if (engines.includes('chromium')) {
    engine = 'chromium';
    await without('WebGL', ['--disable-webgl', '--disable-3d-apis'], async () => {});
    await without('WebAssembly', [], (page) => page.evaluateOnNewDocument(() => { delete window.WebAssembly; }));
    await without('JavaScript', [], (page) => page.setJavaScriptEnabled(false));
}
console.log(`1..${passed + failed}`);
console.log(`${passed} passed, ${failed} failed`);
process.exit(failed ? 1 : 0);
