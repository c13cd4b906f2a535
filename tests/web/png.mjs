// Reads the PNG screenshots the browser takes (8 bits per channel, RGB or
// RGBA, not interlaced) into pixels, so that the tests can look at them.
import {deflateSync, inflateSync} from 'node:zlib';

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

// The part of a decoded picture at X, Y of WIDTH x HEIGHT as an RGB PNG, for
// the engines whose screenshots cannot be clipped.
export function encodePng(shot, x, y, width, height) {
    const raw = Buffer.alloc((width * 3 + 1) * height);
    for (let row = 0; row < height; ++row)
        for (let column = 0; column < width; ++column) {
            const at = row * (width * 3 + 1) + 1 + column * 3;
            const [r, g, b] = shot.pixel(x + column, y + row);
            raw[at] = r;
            raw[at + 1] = g;
            raw[at + 2] = b;
        }
    const chunk = (type, data) => {
        const head = Buffer.alloc(8);
        head.writeUInt32BE(data.length);
        head.write(type, 4, 'latin1');
        const crc = Buffer.alloc(4);
        crc.writeUInt32BE(crc32(Buffer.concat([head.subarray(4), data])));
        return Buffer.concat([head, data, crc]);
    };
    const header = Buffer.alloc(13);
    header.writeUInt32BE(width);
    header.writeUInt32BE(height, 4);
    header[8] = 8;
    header[9] = 2;
    return Buffer.concat([Buffer.from([137, 80, 78, 71, 13, 10, 26, 10]), chunk('IHDR', header),
                          chunk('IDAT', deflateSync(raw)), chunk('IEND', Buffer.alloc(0))]);
}

function crc32(data) {
    let crc = ~0;
    for (const byte of data) {
        crc ^= byte;
        for (let k = 0; k < 8; ++k)
            crc = (crc >>> 1) ^ (0xedb88320 & -(crc & 1));
    }
    return ~crc >>> 0;
}
