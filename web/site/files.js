// Files the user hands over, by picker, folder picker or drop, as
// {path, blob} with paths relative to the folder they came in (a dropped or
// picked folder's own name is left out, so its image/ folder sits at the top).
function withoutTopFolder(path) {
  const parts = path.split('/');
  return parts.length > 1 ? parts.slice(1).join('/') : path;
}

export function fromInput(input) {
  return [...input.files].map((file) => ({
    path: file.webkitRelativePath ? withoutTopFolder(file.webkitRelativePath) : file.name,
    blob: file,
  }));
}

function readEntries(reader) {
  return new Promise((resolve, reject) => reader.readEntries(resolve, reject));
}

// Walks a dropped entry; folders below the dropped one keep their names.
async function walk(entry, prefix, out) {
  if (entry.isFile) {
    const blob = await new Promise((resolve, reject) => entry.file(resolve, reject));
    out.push({ path: prefix + entry.name, blob });
    return;
  }
  const reader = entry.createReader();
  for (let batch = await readEntries(reader); batch.length; batch = await readEntries(reader))
    for (const child of batch) await walk(child, `${prefix}${entry.name}/`, out);
}

export async function fromDrop(dataTransfer) {
  const entries = [...dataTransfer.items].map((item) => item.webkitGetAsEntry()).filter(Boolean);
  const out = [];
  for (const entry of entries) {
    const found = [];
    await walk(entry, '', found);
    for (const file of found) out.push(entry.isDirectory ? { ...file, path: withoutTopFolder(file.path) } : file);
  }
  return out;
}
