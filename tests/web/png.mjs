// Reads the PNG screenshots the browser takes (8 bits per channel, RGB or
// RGBA, not interlaced) into pixels, so that the tests can look at them.
import {inflateSync} from 'node:zlib';

export function decodePng(buffer) {
    let at = 8;
    let width = 0, height = 0, channels = 0;
    const data = [];
    while (at < buffer.length) {
        const length = buffer.readUInt32BE(at);
        const type = buffer.toString('latin1', at + 4, at + 8);
        const chunk = buffer.subarray(at + 8, at + 8 + length);
        if (type === 'IHDR') {
            width = chunk.readUInt32BE(0);
            height = chunk.readUInt32BE(4);
            const [depth, colour, , , interlace] = chunk.subarray(8, 13);
            if (depth !== 8 || interlace !== 0 || (colour !== 2 && colour !== 6))
                throw new Error(`unsupported PNG: depth ${depth}, colour ${colour}`);
            channels = colour === 6 ? 4 : 3;
        } else if (type === 'IDAT') {
            data.push(chunk);
        }
        at += 12 + length;
    }
    const raw = inflateSync(Buffer.concat(data));
    const stride = width * channels;
    const pixels = Buffer.alloc(width * height * 3);
    let previous = Buffer.alloc(stride);
    for (let y = 0; y < height; ++y) {
        const filter = raw[y * (stride + 1)];
        const line = Buffer.from(raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1)));
        for (let i = 0; i < stride; ++i) {
            const a = i >= channels ? line[i - channels] : 0;
            const b = previous[i];
            const c = i >= channels ? previous[i - channels] : 0;
            let add = 0;
            if (filter === 1) add = a;
            else if (filter === 2) add = b;
            else if (filter === 3) add = (a + b) >> 1;
            else if (filter === 4) {
                const p = a + b - c, pa = Math.abs(p - a), pb = Math.abs(p - b), pc = Math.abs(p - c);
                add = pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
            }
            line[i] = (line[i] + add) & 0xff;
        }
        for (let x = 0; x < width; ++x)
            line.copy(pixels, (y * width + x) * 3, x * channels, x * channels + 3);
        previous = line;
    }
    return {
        width, height,
        pixel(x, y) {
            const i = (y * width + x) * 3;
            return [pixels[i], pixels[i + 1], pixels[i + 2]];
        },
    };
}
