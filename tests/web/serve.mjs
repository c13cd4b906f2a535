// A static web server for the Griffwandler site, as any static host would
// serve it: the right types (application/wasm), the precompressed files (.br,
// .gz) where the browser accepts them, and validation (ETag, 304).
//
//   node serve.mjs FOLDER [PORT]     prints the address, then serves until ended
//
// Without PORT a free one is taken. Only 127.0.0.1 listens. Each request is
// noted on stderr: method, path, status and the bytes of the body sent.
//
// For the tests, the network can be cut: after a POST to /.network-off every
// request's connection is closed unanswered, as without a network, until a
// POST to /.network-on.
import {createServer} from 'node:http';
import {readFile, stat} from 'node:fs/promises';
import {extname, join, normalize, resolve} from 'node:path';

const root = resolve(process.argv[2] ?? '.');
const port = Number(process.argv[3] ?? 0);
const types = {
    '.html': 'text/html; charset=utf-8',
    '.js': 'text/javascript; charset=utf-8',
    '.css': 'text/css; charset=utf-8',
    '.wasm': 'application/wasm',
    '.webmanifest': 'application/manifest+json',
    '.png': 'image/png',
    '.webp': 'image/webp',
};

async function found(file) {
    try {
        const info = await stat(file);
        return info.isFile() ? info : null;
    } catch {
        return null;
    }
}

let online = true;
const server = createServer(async (request, response) => {
    if (request.method === 'POST' && ['/.network-off', '/.network-on'].includes(request.url)) {
        online = request.url === '/.network-on';
        response.writeHead(204, {'Connection': 'close'});
        response.end();
        return;
    }
    if (!online) {
        request.socket.destroy();
        return;
    }
    try {
        let path = decodeURIComponent(new URL(request.url, 'http://x').pathname);
        if (path.endsWith('/'))
            path += 'index.html';
        const file = normalize(join(root, path));
        if (!file.startsWith(root + '/') || !(await found(file))) {
            response.writeHead(404, {'Content-Type': 'text/plain'});
            response.end('not found');
            console.error(`${request.method} ${path} 404 9`);
            return;
        }
        const accepted = String(request.headers['accept-encoding'] ?? '');
        const headers = {
            'Content-Type': types[extname(file)] ?? 'application/octet-stream',
            'Cache-Control': 'no-cache',
            'Vary': 'Accept-Encoding',
        };
        let body = file;
        for (const [encoding, suffix] of [['br', '.br'], ['gzip', '.gz']]) {
            if (new RegExp(`\\b${encoding}\\b`).test(accepted) && (await found(file + suffix))) {
                headers['Content-Encoding'] = encoding;
                body = file + suffix;
                break;
            }
        }
        const info = await found(body);
        headers['ETag'] = `"${info.size.toString(36)}-${Math.floor(info.mtimeMs).toString(36)}"`;
        if (request.headers['if-none-match'] === headers['ETag']) {
            response.writeHead(304, headers);
            response.end();
            console.error(`${request.method} ${path} 304 0`);
            return;
        }
        const data = await readFile(body);
        headers['Content-Length'] = data.length;
        response.writeHead(200, headers);
        response.end(request.method === 'HEAD' ? undefined : data);
        console.error(`${request.method} ${path} 200 ${data.length}`);
    } catch (error) {
        response.writeHead(500, {'Content-Type': 'text/plain'});
        response.end(String(error));
    }
});
server.listen(port, '127.0.0.1', () => {
    console.log(`http://127.0.0.1:${server.address().port}/`);
});
