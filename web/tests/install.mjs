// The packed tarball (TAVRIX_PACKAGE) installed as a game installs it: into
// a folder of its own whose package.json names a game, from npm's cache
// alone, as nothing is fetched here.
import { execFileSync } from 'node:child_process';
import { writeFileSync } from 'node:fs';
import path from 'node:path';

export function installPackage(folder) {
  writeFileSync(path.join(folder, 'package.json'), '{"name": "game", "private": true, "type": "module"}');
  execFileSync('npm', ['install', '--no-audit', '--no-fund', '--offline', process.env.TAVRIX_PACKAGE], { cwd: folder });
}
