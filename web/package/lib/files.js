// Bytes by URL: fetched in the browser, read from disk for file: URLs under
// Node.js (whose fetch has no file: URLs), and the module's file system,
// where the library opens effect files by path.

// The file system module of Node.js, reached only for file: URLs; its name
// goes through a variable so that bundlers leave it alone.
async function readLocal(url) {
  const name = 'node:fs/promises';
  const { readFile } = await import(/* webpackIgnore: true */ /* @vite-ignore */ name);
  return new Uint8Array(await readFile(url));
}

// Rejects with {status} text for a file that is not there.
export async function readBytes(url, fetcher = globalThis.fetch) {
  if (url.protocol === 'file:') return readLocal(url);
  const response = await fetcher(url.href);
  if (!response.ok) throw new Error(`HTTP ${response.status}`);
  return new Uint8Array(await response.arrayBuffer());
}

// The folder relative URLs are taken from: the page's, or under Node.js
// the current directory.
export function defaultBase() {
  if (globalThis.document?.baseURI) return globalThis.document.baseURI;
  if (globalThis.location?.href) return globalThis.location.href;
  const base = new URL('file:///');
  base.pathname = `${globalThis.process?.cwd?.() ?? ''}/`;
  return base.href;
}

// Each URL fetched once; a failed fetch is forgotten, so that it can be tried again.
export class ByteCache {
  constructor(fetcher) {
    this.fetcher = fetcher;
    this.entries = new Map();
  }

  get(url) {
    if (!this.entries.has(url.href)) {
      const bytes = readBytes(url, this.fetcher);
      this.entries.set(url.href, bytes);
      bytes.catch(() => this.entries.delete(url.href));
    }
    return this.entries.get(url.href);
  }
}

// Writes bytes at path, relative to the module's current folder, making its
// folders. Paths as effects write them: '\' separates too.
export function writeFile(FS, path, bytes) {
  const parts = path.replaceAll('\\', '/').split('/').filter((part) => part && part !== '.');
  let folder = path.startsWith('/') || path.startsWith('\\') ? '' : FS.cwd();
  for (const part of parts.slice(0, -1)) {
    folder = part === '..' ? folder.slice(0, folder.lastIndexOf('/')) : `${folder}/${part}`;
    if (folder && !FS.analyzePath(folder).exists) FS.mkdir(folder);
  }
  FS.writeFile(`${folder}/${parts[parts.length - 1]}`, bytes);
}

// Names compare as the library's file system does: '/' or '\', any case.
function normalisedName(name) {
  return name.replaceAll('\\', '/').replace(/^(\.\/)+/, '').toLowerCase();
}

const baseName = (name) => name.slice(name.lastIndexOf('/') + 1);

// The entry for name in a map {name: value} (or a Map) given by the game:
// the whole name first, then the file name alone.
export function pickByName(map, name) {
  const entries = map instanceof Map ? [...map] : Object.entries(map);
  const wanted = normalisedName(name);
  const found = entries.find(([key]) => normalisedName(key) === wanted) ??
    entries.find(([key]) => baseName(normalisedName(key)) === baseName(wanted));
  return found?.[1];
}
