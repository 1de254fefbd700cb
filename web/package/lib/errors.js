// Failures of the library as JavaScript errors: the result code's number,
// its name and its meaning, as the library's own table gives them.
export class TavrixError extends Error {
  constructor(result, name, meaning, context) {
    super(`${context ? `${context}: ` : ''}${name} (${meaning})`);
    this.name = 'TavrixError';
    this.code = name;
    this.result = result;
    this.meaning = meaning;
  }
}

// The module stopped inside a call (no memory left, or an internal fault):
// its state is lost, so every later call of that instance fails the same way.
export const ABORTED = {
  name: 'ModuleAborted',
  meaning: 'the WebAssembly module stopped inside a call; create a new instance',
};
