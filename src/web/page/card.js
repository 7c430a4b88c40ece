// The card's SETTING folder. Where the browser lets a page write to a
// folder (the File System Access API), the files are read and written in
// place; elsewhere the driver picks or drops the folder or its files, which
// are read once, and saving downloads the files for the driver to copy.

// Files are looked up without regard to case, as the card's FAT does.
const sameName = (a, b) => a.toLowerCase() === b.toLowerCase();

class FolderCard {
  constructor(handle) {
    this.handle = handle;
    this.inPlace = true;
  }

  async entry(name) {
    for await (const [entryName, handle] of this.handle.entries()) {
      if (handle.kind === 'file' && sameName(entryName, name)) return handle;
    }
    return null;
  }

  async read(name) {
    const handle = await this.entry(name);
    return handle ? new Uint8Array(await (await handle.getFile()).arrayBuffer()) : null;
  }

  async write(name, bytes) {
    const handle = (await this.entry(name)) || (await this.handle.getFileHandle(name, { create: true }));
    const stream = await handle.createWritable();
    await stream.write(bytes);
    await stream.close();
  }

  async remove(name) {
    const handle = await this.entry(name);
    if (handle) await this.handle.removeEntry(handle.name);
  }
}

class PickedCard {
  // files: File objects, from the folder or loose.
  static async from(files) {
    const card = new PickedCard();
    for (const file of files) {
      card.files.set(file.name.toLowerCase(), new Uint8Array(await file.arrayBuffer()));
    }
    return card;
  }

  constructor() {
    this.files = new Map();
    this.inPlace = false;
  }

  async read(name) {
    return this.files.get(name.toLowerCase()) || null;
  }

  async write(name, bytes) {
    const link = document.createElement('a');
    link.href = URL.createObjectURL(new Blob([bytes], { type: 'application/octet-stream' }));
    link.download = name;
    document.body.append(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(link.href), 60000);
  }

  // A download cannot delete a file: the instruction asks the driver to.
  async remove() {}
}

// The files of a drop: a dropped folder is read through its entries, loose
// files as they come.
async function droppedFiles(dataTransfer) {
  const entries = [...dataTransfer.items].map((item) => item.webkitGetAsEntry && item.webkitGetAsEntry());
  const folder = entries.find((entry) => entry && entry.isDirectory);
  if (!folder) return [...dataTransfer.files];
  const children = await new Promise((resolve, reject) => folder.createReader().readEntries(resolve, reject));
  const files = children.filter((entry) => entry.isFile);
  return Promise.all(files.map((entry) => new Promise((resolve, reject) => entry.file(resolve, reject))));
}

const canWriteInPlace = () => typeof window.showDirectoryPicker === 'function';
