// A release's files dropped on the page (or opened with Open Release Files…): the core finds the
// volumes and support files among their names and sizes and fills Packed, the unit, Files and the
// support files as quenby sheet --from does; then each volume is read in slices, never whole, for
// its CRC-32, with a progress bar, and Save SFV offers the SFV quenby sfv writes.

// Bytes read at a time; the page waits for each slice, so it stays responsive between them.
const releaseSlice = 4 << 20;
let releaseRun = 0;  // a new drop abandons the reading of the last one
let releaseSfv = null;  // {name, text} once every volume is read

function showReleaseProgress(done, total) {
  const bar = document.getElementById('ReleaseProgress');
  bar.hidden = done >= total;
  bar.max = Math.max(total, 1);
  bar.value = done;
}

// The CRC-32 of the file, read slice by slice into the core's memory at buffer; null once a later
// drop took over.
async function releaseFileCrc(file, buffer, run, progress) {
  let crc = 0;
  for (let offset = 0; offset < file.size; offset += releaseSlice) {
    const bytes = new Uint8Array(await file.slice(offset, offset + releaseSlice).arrayBuffer());
    if (run !== releaseRun) return null;
    core.HEAPU8.set(bytes, buffer);
    crc = core._quenbyCrc32(buffer, bytes.length, crc) >>> 0;
    progress(bytes.length);
  }
  return crc;
}

async function openRelease(files) {
  const run = ++releaseRun;
  showReleaseProgress(0, 0);
  releaseSfv = null;
  document.getElementById('SaveSfv').disabled = true;
  core._quenbyReleaseClear();
  for (const file of files) {
    if (withText([file.name], (name) => core._quenbyReleaseAdd(name, file.size)) === 0) {
      showStatus('Out of memory', true);
      return;
    }
  }
  const problem = text(core._quenbyReleaseFind());
  if (problem !== '') {
    showStatus(problem.trimEnd(), true);
    return;
  }
  showCoreForm();
  changed();
  const volumes = [];
  for (let i = 0; i < core._quenbyReleaseVolumes(); ++i) volumes.push(files[core._quenbyReleaseVolumeFile(i)]);
  const name = text(core._quenbyReleaseName());
  const total = volumes.reduce((sum, file) => sum + file.size, 0);
  let done = 0;
  showStatus(`Reading the ${volumes.length} volumes of ${name}…`, false);
  showReleaseProgress(0, total);
  const buffer = core._malloc(releaseSlice);
  if (buffer === 0) {
    showStatus('Out of memory', true);
    return;
  }
  try {
    for (let i = 0; i < volumes.length; ++i) {
      let crc;
      try {
        crc = await releaseFileCrc(volumes[i], buffer, run, (bytes) => showReleaseProgress(done += bytes, total));
      } catch (error) {
        if (run === releaseRun) showStatus(`Failed to read from file: ${volumes[i].name}`, true);
        return;
      }
      if (crc === null) return;
      core._quenbyReleaseSetCrc(i, crc);
    }
  } finally {
    core._free(buffer);
    if (run === releaseRun) showReleaseProgress(total, total);
  }
  releaseSfv = {name: name + '.sfv', text: text(core._quenbyReleaseSfv())};
  document.getElementById('SaveSfv').disabled = false;
  showStatus(`${name}: ${volumes.length} volumes read; Save SFV saves their CRC-32s.`, false);
}

function saveReleaseSfv() {
  if (releaseSfv !== null) download(new Blob([releaseSfv.text], {type: 'text/plain;charset=utf-8'}), releaseSfv.name);
}

// Templates (.ntf) and sheets (.toml) are opened as before; any other files are a release's.
function isReleaseDrop(files) {
  return files.length > 0 && !files.some((file) => /\.(ntf|toml)$/i.test(file.name));
}

function connectRelease() {
  const input = document.getElementById('ReleaseFiles');
  document.getElementById('OpenRelease').addEventListener('click', () => input.click());
  input.addEventListener('change', () => {
    if (input.files.length > 0) openRelease([...input.files]);
    input.value = '';
  });
  document.getElementById('SaveSfv').addEventListener('click', saveReleaseSfv);
}
