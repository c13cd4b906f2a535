// The three browser engines the web site is tried in, behind one small
// interface: Debian's chromium and Firefox ESR driven by puppeteer-core (CDP
// and WebDriver BiDi), and WebKitGTK's MiniBrowser driven by WebKitWebDriver
// over plain W3C WebDriver. Pop-up blockers stay on in all three.
//
//   const browser = await openEngine('chromium' | 'firefox' | 'webkit', {args})
//   browser.goto(url) / reload() / evaluate(fn, ...args) / click(x, y) /
//   press(key) / alt(letter) / screenshot() / viewport(width, height) /
//   newTabs() / log() / close()
//
// Coordinates are CSS pixels of the viewport; screenshots are PNGs at device
// pixel ratio 1. log() holds what each page reported as an error or warning:
// the console (where the engine passes it on), uncaught errors, unhandled
// promise rejections and Content-Security-Policy violations.
import puppeteer from 'puppeteer-core';
import {spawn} from 'node:child_process';
import {createServer} from 'node:net';

export const ENGINES = ['chromium', 'firefox', 'webkit'];

// Put into every page before its own scripts run where the engine allows
// that (chromium, Firefox), and right after it loaded otherwise (WebKit):
// errors, rejections and policy violations the console would show.
function listen() {
    if (window.griffwandlerTestLog)
        return;
    const log = window.griffwandlerTestLog = [];
    for (const kind of ['error', 'warn']) {
        const original = console[kind];
        console[kind] = function (...parts) {
            log.push(`console ${kind}: ${parts.map(String).join(' ')}`);
            return original.apply(this, parts);
        };
    }
    window.addEventListener('error', (event) => log.push(`error: ${event.message}`));
    window.addEventListener('unhandledrejection',
                            (event) => log.push(`unhandled rejection: ${event.reason}`));
    document.addEventListener('securitypolicyviolation', (event) => log.push(
        `securitypolicyviolation: ${event.violatedDirective} ${event.blockedURI}`), true);
}
const readLog = () => (window.griffwandlerTestLog || []).splice(0);

const CHROMIUM = ['--no-sandbox', '--use-angle=swiftshader', '--enable-unsafe-swiftshader',
    '--disable-background-networking', '--disable-component-update', '--no-first-run',
    '--disable-sync', '--disable-quic', '--disable-features=Translate,MediaRouter'];

class PuppeteerEngine {
    static async open(name, {args = []} = {}) {
        const browser = name === 'firefox'
            ? await puppeteer.launch({browser: 'firefox', executablePath: '/usr/bin/firefox-esr',
                                      headless: true,
                                      extraPrefsFirefox: {'dom.disable_open_during_load': true}})
            // puppeteer turns chromium's pop-up blocker off unless told not to.
            : await puppeteer.launch({executablePath: '/usr/bin/chromium', headless: true,
                                      args: [...CHROMIUM, ...args],
                                      ignoreDefaultArgs: ['--disable-popup-blocking']});
        const before = new Set(await browser.pages());
        const engine = new PuppeteerEngine(name, browser, await browser.newPage());
        engine.known = new Set([...before, engine.page]);
        await engine.page.evaluateOnNewDocument(listen);
        return engine;
    }
    constructor(name, browser, page) {
        Object.assign(this, {name, browser, page, messages: []});
        page.on('console', (message) => {
            if (['error', 'warn', 'warning'].includes(message.type()))
                this.messages.push(`console ${message.type()}: ${message.text()}`);
        });
        page.on('pageerror', (error) => this.messages.push(`pageerror: ${error.message}`));
    }
    async goto(url) {
        await this.harvest();
        await this.page.goto(url);
    }
    async reload() {
        await this.harvest();
        await this.page.reload();
    }
    // What the page noted so far, kept before it goes.
    async harvest() {
        this.messages.push(...await this.page.evaluate(readLog).catch(() => []));
    }
    async evaluate(fn, ...args) { return this.page.evaluate(fn, ...args); }
    async click(x, y) { await this.page.mouse.click(x, y); }
    async press(key) { await this.page.keyboard.press(key); }
    async alt(letter) {
        await this.page.keyboard.down('Alt');
        await this.page.keyboard.press(`Key${letter.toUpperCase()}`);
        await this.page.keyboard.up('Alt');
    }
    async screenshot() { return Buffer.from(await this.page.screenshot({type: 'png'})); }
    async viewport(width, height) { await this.page.setViewport({width, height}); }
    // The tabs opened since the last call, each closed after a look at it.
    async newTabs() {
        const seen = [];
        for (const tab of await this.browser.pages()) {
            if (this.known.has(tab))
                continue;
            // The address the tab was sent to, also where it cannot be
            // reached: chromium's frame then shows its error page's address
            // and the target the one asked for; Firefox shows its error page,
            // which names the address asked for as its parameter u.
            const url = () => {
                if (this.name === 'chromium')
                    return tab.target().url();
                const shown = tab.url();
                return shown.startsWith('about:neterror?')
                    ? new URLSearchParams(shown.slice(shown.indexOf('?'))).get('u') : shown;
            };
            const end = Date.now() + 5000;
            while (url() === 'about:blank' && Date.now() < end)
                await new Promise((done) => setTimeout(done, 50));
            seen.push({url: url(),
                       noOpener: await tab.evaluate(() => window.opener === null).catch(() => null)});
            await tab.close();
        }
        await this.page.bringToFront();
        return seen;
    }
    async log() {
        await this.harvest();
        return this.messages.splice(0);
    }
    async close() { await this.browser.close(); }
}

// W3C WebDriver over HTTP, as WebKitWebDriver speaks it.
class WebDriverEngine {
    static async open() {
        const port = await new Promise((found) => {
            const probe = createServer().listen(0, '127.0.0.1', () => {
                const {port} = probe.address();
                probe.close(() => found(port));
            });
        });
        // The browser's window is larger than its viewport; a private X
        // server roomy enough for any viewport the tests ask for holds it.
        const screen = spawn('Xvfb', ['-displayfd', '3', '-screen', '0', '1600x1200x24', '-nolisten', 'tcp'],
                             {stdio: ['ignore', 'ignore', 'ignore', 'pipe']});
        const display = await new Promise((found, failed) => {
            screen.stdio[3].once('data', (data) => found(String(data).trim()));
            screen.once('exit', () => failed(new Error('Xvfb did not start')));
        });
        const driver = spawn('WebKitWebDriver', [`--port=${port}`],
                             {stdio: 'ignore', env: {...process.env, DISPLAY: `:${display}`}});
        const engine = new WebDriverEngine(driver, `http://127.0.0.1:${port}`);
        engine.screen = screen;
        for (let tries = 0; ; ++tries) {
            try {
                const {sessionId} = await engine.call('POST', '/session', {capabilities: {alwaysMatch: {
                    'webkitgtk:browserOptions': {
                        binary: '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser',
                        args: ['--automation']}}}});
                engine.session = `/session/${sessionId}`;
                break;
            } catch (error) {
                if (tries > 100) {
                    driver.kill();
                    screen.kill();
                    throw error;
                }
                await new Promise((done) => setTimeout(done, 100));
            }
        }
        engine.main = await engine.call('GET', `${engine.session}/window`);
        return engine;
    }
    constructor(driver, base) {
        Object.assign(this, {name: 'webkit', driver, base, session: '', messages: []});
    }
    async call(method, path, body) {
        const response = await fetch(this.base + path, {method,
            headers: {'Content-Type': 'application/json'},
            body: body === undefined ? undefined : JSON.stringify(body)});
        const {value} = await response.json();
        if (!response.ok)
            throw new Error(`WebDriver ${method} ${path}: ${value?.error} ${value?.message}`);
        return value;
    }
    async goto(url) {
        await this.harvest();
        await this.call('POST', `${this.session}/url`, {url});
        await this.evaluate(listen);
    }
    async reload() {
        await this.harvest();
        await this.call('POST', `${this.session}/refresh`, {});
        await this.evaluate(listen);
    }
    async harvest() {
        this.messages.push(...await this.evaluate(readLog).catch(() => []));
    }
    async evaluate(fn, ...args) {
        return this.call('POST', `${this.session}/execute/sync`,
                         {script: `return (${fn}).apply(null, arguments);`, args});
    }
    async actions(...sources) {
        await this.call('POST', `${this.session}/actions`, {actions: sources});
        await this.call('DELETE', `${this.session}/actions`);
    }
    async click(x, y) {
        await this.actions({type: 'pointer', id: 'maus', parameters: {pointerType: 'mouse'},
            actions: [{type: 'pointerMove', x: Math.round(x), y: Math.round(y), origin: 'viewport',
                       duration: 0},
                      {type: 'pointerDown', button: 0}, {type: 'pointerUp', button: 0}]});
    }
    static KEYS = {Tab: '\uE004', Enter: '\uE007', Space: ' ', Alt: '\uE00A'};
    async press(key) {
        const value = WebDriverEngine.KEYS[key] ?? key;
        await this.actions({type: 'key', id: 'tasten',
            actions: [{type: 'keyDown', value}, {type: 'keyUp', value}]});
    }
    async alt(letter) {
        const alt = WebDriverEngine.KEYS.Alt;
        await this.actions({type: 'key', id: 'tasten', actions: [
            {type: 'keyDown', value: alt}, {type: 'keyDown', value: letter},
            {type: 'keyUp', value: letter}, {type: 'keyUp', value: alt}]});
    }
    async screenshot() {
        return Buffer.from(await this.call('GET', `${this.session}/screenshot`), 'base64');
    }
    // The window is sized until its viewport has the size asked for.
    async viewport(width, height) {
        let outer = {width, height};
        for (let tries = 0; tries < 4; ++tries) {
            await this.call('POST', `${this.session}/window/rect`, outer);
            await new Promise((done) => setTimeout(done, 200));
            const inner = await this.evaluate(() => [window.innerWidth, window.innerHeight]);
            if (inner[0] === width && inner[1] === height)
                return;
            outer = {width: outer.width + width - inner[0], height: outer.height + height - inner[1]};
        }
    }
    async newTabs() {
        const seen = [];
        for (const handle of await this.call('GET', `${this.session}/window/handles`)) {
            if (handle === this.main)
                continue;
            await this.call('POST', `${this.session}/window`, {handle});
            let url = '';
            const end = Date.now() + 5000;
            while ((!url || url === 'about:blank') && Date.now() < end) {
                url = await this.call('GET', `${this.session}/url`);
                await new Promise((done) => setTimeout(done, 50));
            }
            const noOpener = await this.evaluate(() => window.opener === null).catch(() => null);
            seen.push({url, noOpener});
            await this.call('DELETE', `${this.session}/window`);
        }
        await this.call('POST', `${this.session}/window`, {handle: this.main});
        return seen;
    }
    async log() {
        await this.harvest();
        return this.messages.splice(0);
    }
    async close() {
        await this.call('DELETE', this.session).catch(() => {});
        this.driver.kill();
        this.screen.kill();
    }
}

export async function openEngine(name, options) {
    return name === 'webkit' ? WebDriverEngine.open(options) : PuppeteerEngine.open(name, options);
}
