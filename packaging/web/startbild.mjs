// Takes the window's start picture from the site as just built: serves the
// site on 127.0.0.1, starts the program in Debian's chromium (headless, the
// viewport at device pixel ratio 1), waits for its first frame and saves the
// window, 793 x 479 pixels from where the page places the picture, as a
// lossless WebP (a third smaller than the PNG, so it is on the screen sooner
// on a slow first visit), checked to give back every pixel of the shot.
//
//   node startbild.mjs SITE_FOLDER OUT.webp      (site.cmake runs it)
import {spawn} from 'node:child_process';
import {writeFile} from 'node:fs/promises';
import {createInterface} from 'node:readline';

const {default: puppeteer} = await import(new URL(
    '../../tests/web/node_modules/puppeteer-core/lib/esm/puppeteer/puppeteer-core.js', import.meta.url));
const [site, out] = process.argv.slice(2);

const server = spawn('node', [new URL('../../tests/web/serve.mjs', import.meta.url).pathname, site],
                     {stdio: ['ignore', 'pipe', 'ignore']});
const url = await new Promise((found) => createInterface({input: server.stdout}).once('line', found));
const browser = await puppeteer.launch({executablePath: '/usr/bin/chromium', headless: true,
    args: ['--no-sandbox', '--use-angle=swiftshader', '--enable-unsafe-swiftshader',
           '--disable-background-networking', '--disable-component-update', '--no-first-run',
           '--disable-sync']});
try {
    const page = await browser.newPage();
    await page.setViewport({width: 1024, height: 768});
    await page.goto(url);
    const end = Date.now() + 120000;
    while (!(await page.evaluate(() => performance.getEntriesByName('griffwandler-first-frame').length > 0))) {
        if (Date.now() > end)
            throw new Error('the program showed no window within two minutes');
        await new Promise((done) => setTimeout(done, 100));
    }
    // Where the picture goes is where the program has put its window.
    const place = await page.evaluate(() => {
        const bild = document.getElementById('startbild');
        return {x: parseInt(bild.style.left, 10), y: parseInt(bild.style.top, 10),
                width: bild.width, height: bild.height};
    });
    await new Promise((done) => setTimeout(done, 300));
    // Of the viewport as it is shown: with puppeteer's default (a capture
    // beyond the viewport) chromium lays the page out again for the shot,
    // and the window's right and bottom edge came out without their lines.
    const shot = await page.screenshot({type: 'png', clip: place, captureBeyondViewport: false});
    // Chromium encodes WebP losslessly at quality 1; decoded again, the
    // picture must equal the shot.
    const converter = await browser.newPage();
    const {webp, differ} = await converter.evaluate(async (png) => {
        const pixels = async (blob) => {
            const bitmap = await createImageBitmap(blob);
            const canvas = new OffscreenCanvas(bitmap.width, bitmap.height);
            const context = canvas.getContext('2d');
            context.drawImage(bitmap, 0, 0);
            return {canvas, data: context.getImageData(0, 0, bitmap.width, bitmap.height).data};
        };
        const shot = await pixels(new Blob([Uint8Array.from(atob(png), (c) => c.charCodeAt(0))]));
        const encoded = await shot.canvas.convertToBlob({type: 'image/webp', quality: 1});
        const again = await pixels(encoded);
        let differ = again.data.length === shot.data.length ? 0 : -1;
        for (let i = 0; differ >= 0 && i < shot.data.length; ++i)
            differ += shot.data[i] !== again.data[i];
        const bytes = new Uint8Array(await encoded.arrayBuffer());
        let text = '';
        for (const byte of bytes)
            text += String.fromCharCode(byte);
        return {webp: encoded.type === 'image/webp' ? btoa(text) : null, differ};
    }, shot.toString('base64'));
    if (!webp || differ !== 0)
        throw new Error(`the start picture as WebP is not the shot (${differ} values differ)`);
    await writeFile(out, Buffer.from(webp, 'base64'));
} finally {
    await browser.close();
    server.kill();
}
