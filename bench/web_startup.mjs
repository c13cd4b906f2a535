// The web site's start in Debian's chromium: the program against a bare Qt
// window built with the same Qt for WebAssembly (the toolkit's floor), both
// behind the same start page (the program's with its start picture). For
// each: the bytes transferred on a first visit, and the time from navigation
// to the start picture on the screen and to the window's first frame, on a
// first visit over an emulated network of 10 Mbit/s with 150 ms round trips
// and on a second visit from the site's own cache. Alternating runs, medians.
//
//   node web_startup.mjs SITES_FOLDER RUNS     (bench/run.sh runs it)
//
// SITES_FOLDER holds one site per program (bench_startup_app,
// bench_startup_floor); each program prints "first-frame ..." on the console
// once its first frame is painted.
import {spawn} from 'node:child_process';
import {createInterface} from 'node:readline';

// puppeteer-core as the browser tests pin it.
const {default: puppeteer} = await import(new URL(
    '../tests/web/node_modules/puppeteer-core/lib/esm/puppeteer/puppeteer-core.js', import.meta.url));
const [sites, runsText] = process.argv.slice(2);
const runs = Number(runsText ?? 5);
const programs = ['bench_startup_app', 'bench_startup_floor'];
const network = {download: 10e6 / 8, upload: 10e6 / 8, latency: 150};

function serve(folder) {
    return new Promise((started) => {
        const server = spawn('node', [new URL('../tests/web/serve.mjs', import.meta.url).pathname, folder]);
        const log = {bytes: 0, files: {}};
        createInterface({input: server.stderr}).on('line', (line) => {
            const [, path, , sent] = line.split(' ');
            log.bytes += Number(sent) || 0;
            log.files[path] = (log.files[path] ?? 0) + (Number(sent) || 0);
        });
        createInterface({input: server.stdout}).once('line', (url) => started({server, url, log}));
    });
}

const browser = await puppeteer.launch({executablePath: '/usr/bin/chromium', headless: true,
    args: ['--no-sandbox', '--use-angle=swiftshader', '--enable-unsafe-swiftshader',
           '--disable-background-networking', '--disable-component-update', '--no-first-run',
           '--disable-sync', '--disable-quic']});

async function visit(page, url, reload) {
    const frame = new Promise((seen) => {
        const listener = (message) => {
            if (message.text().startsWith('first-frame')) {
                page.off('console', listener);
                seen(Date.now());
            }
        };
        page.on('console', listener);
    });
    const begin = Date.now();
    if (reload)
        await page.reload();
    else
        await page.goto(url);
    const end = await Promise.race([frame, new Promise((late) => setTimeout(() => late(NaN), 60000))]);
    // The picture's time on the page's own clock, from the navigation's start.
    const picture = await page.evaluate(
        () => performance.getEntriesByName('griffwandler-startbild')[0]?.startTime ?? NaN);
    return {live: end - begin, picture};
}

const results = Object.fromEntries(programs.map((p) => [p, {first: [], second: [], bytes: [],
                                                             picture1: [], picture2: [], files: []}]));
const servers = {};
for (const program of programs)
    servers[program] = await serve(`${sites}/${program}`);
for (let run = 0; run < runs; ++run) {
    for (const program of run % 2 ? [...programs].reverse() : programs) {
        const {url, log} = servers[program];
        const context = await browser.createBrowserContext();
        const page = await context.newPage();
        await page.setViewport({width: 1024, height: 768});
        await page.emulateNetworkConditions(network);
        const before = log.bytes;
        log.files = {};
        const first = await visit(page, url, false);
        results[program].files.push({...log.files});
        results[program].first.push(first.live);
        results[program].picture1.push(first.picture);
        results[program].bytes.push(log.bytes - before);
        // The site's cache is filled once the program runs (the start page
        // registers it when told that the window is up; the bare window tells
        // nothing, so the registration is made here for both); a second visit
        // uses it.
        await page.evaluate(() => navigator.serviceWorker.register('griffwandler-sw.js')
            .then(() => navigator.serviceWorker.ready).then(() => true));
        await new Promise((settled) => setTimeout(settled, 1500));
        const second = await visit(page, url, true);
        results[program].second.push(second.live);
        results[program].picture2.push(second.picture);
        await context.close();
    }
}
await browser.close();
for (const {server} of Object.values(servers))
    server.kill();

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const mib = (bytes) => (bytes / 1048576).toFixed(2);
const seconds = (values) => Number.isNaN(median(values)) ? '–' : `${(median(values) / 1000).toFixed(2)} s`;
console.log(`web start-up, ${runs} runs each, network ${network.download * 8 / 1e6} Mbit/s, ` +
            `${network.latency} ms round trip (medians)`);
console.log('| | first visit: transferred | first visit: picture | first visit: live window | ' +
            'second visit: picture | second visit: live window |');
console.log('|---|---|---|---|---|---|');
for (const program of programs) {
    const r = results[program];
    console.log(`| ${program} | ${mib(median(r.bytes))} MiB | ${seconds(r.picture1)} | ${seconds(r.first)} | ` +
                `${seconds(r.picture2)} | ${seconds(r.second)} |`);
}
// What a first visit transfers, file by file (the files' bytes as sent, of the last run).
for (const program of programs) {
    const files = Object.entries(results[program].files.at(-1)).sort(([, a], [, b]) => b - a);
    console.log(`${program}, first visit: ` +
                files.map(([path, bytes]) => `${path.slice(1)} ${(bytes / 1024).toFixed(1)} KiB`).join(', '));
}
const app = results.bench_startup_app, floor = results.bench_startup_floor;
const bytesRatio = median(app.bytes) / median(floor.bytes);
const frameRatio = median(app.first) / median(floor.first);
console.log(`program / bare window, first visit: transfer ${bytesRatio.toFixed(3)}, ` +
            `live window ${frameRatio.toFixed(3)}; start picture after ${seconds(app.picture1)}`);
const ok = bytesRatio <= 1.15 && frameRatio <= 1.15 && median(app.picture1) <= 1000;
console.log(ok ? 'targets met (transfer and first frame at most 1.15 x the bare window\'s, picture within 1 s)'
               : 'TARGET MISSED (transfer and first frame at most 1.15 x the bare window\'s, picture within 1 s)');
process.exit(ok ? 0 : 1);
