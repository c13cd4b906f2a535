// A static web server for the Griffwandler site, as any static host would
// serve it: the right types (application/wasm), and the precompressed
// files (.br, .gz) where the browser accepts them.
//
//   node serve.mjs FOLDER [PORT]     prints the address, then serves until ended
//
// Without PORT a free one is taken. Only 127.0.0.1 listens.
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
};

async function exists(file) {
    try {
        return (await stat(file)).isFile();
    } catch {
        return false;
    }
}

const server = createServer(async (request, response) => {
    try {
        let path = decodeURIComponent(new URL(request.url, 'http://x').pathname);
        if (path.endsWith('/'))
            path += 'index.html';
        const file = normalize(join(root, path));
        if (!file.startsWith(root + '/') || !(await exists(file))) {
            response.writeHead(404, {'Content-Type': 'text/plain'});
            response.end('not found');
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
            if (new RegExp(`\\b${encoding}\\b`).test(accepted) && (await exists(file + suffix))) {
                headers['Content-Encoding'] = encoding;
                body = file + suffix;
                break;
            }
        }
        const data = await readFile(body);
        headers['Content-Length'] = data.length;
        response.writeHead(200, headers);
        response.end(request.method === 'HEAD' ? undefined : data);
    } catch (error) {
        response.writeHead(500, {'Content-Type': 'text/plain'});
        response.end(String(error));
    }
});
server.listen(port, '127.0.0.1', () => {
    console.log(`http://127.0.0.1:${server.address().port}/`);
});
