// The page's further outputs: Save ASCII Copy, the NFO in plain ASCII for sites that garble CP437,
// and Save PNG drawn at the scale, cell width and colours chosen beside it, as quenby render
// --ascii and --png --scale --cell --colours make them.

// The colours Save PNG draws in: the preview's, a scheme's, or the INK,PAPER typed.
function pngColours() {
  const chosen = document.getElementById('PngColours').value;
  if (chosen === 'preview') return document.getElementById('DarkCheck').checked ? 'dark' : 'light';
  if (chosen === 'other') return document.getElementById('PngOtherColours').value.trim();
  return chosen;
}

function saveAsciiCopy() {
  const pointer = core._quenbyAsciiCopy();
  if (pointer === 0) {
    showStatus('Out of memory', true);
    return;
  }
  download(new Blob([core.HEAPU8.slice(pointer, pointer + core._quenbyNfoSize())]), baseName() + '-ascii.nfo');
}

function savePng() {
  const problem = withText([document.getElementById('PngScale').value, document.getElementById('PngCell').value,
    pngColours()], (scale, cell, colours) => text(core._quenbyPngPicture(scale, cell, colours)));
  if (problem !== '') {
    showStatus(problem, true);
    return;
  }
  const width = core._quenbyPngWidth();
  const height = core._quenbyPngHeight();
  if (height > canvasLimit) {
    showStatus(`The picture is too tall for the browser: ${height} pixel rows, at most ` +
      `${canvasLimit}. quenby render --png draws it.`, true);
    return;
  }
  const colour = (which) => {
    const rgb = core._quenbyPngColour(which);
    return [(rgb >> 16) & 255, (rgb >> 8) & 255, rgb & 255];
  };
  const [ink, paper] = [colour(0), colour(1)];
  const canvas = document.createElement('canvas');
  canvas.width = width;
  canvas.height = height;
  const context = canvas.getContext('2d');
  const step = Math.max(1, Math.floor((1 << 22) / width));
  for (let first = 0; first < height; first += step) {
    const rows = Math.min(step, height - first);
    const pointer = core._quenbyPngRows(first, rows);
    if (pointer === 0) {
      showStatus('Out of memory', true);
      return;
    }
    const source = core.HEAPU8.subarray(pointer, pointer + width * rows);
    const image = context.createImageData(width, rows);
    for (let i = 0; i < source.length; ++i) {
      image.data.set(source[i] ? ink : paper, 4 * i);
      image.data[4 * i + 3] = 255;
    }
    context.putImageData(image, 0, first);
  }
  canvas.toBlob((blob) => download(blob, baseName() + '.png'), 'image/png');
}

document.getElementById('AsciiButton').addEventListener('click', saveAsciiCopy);
document.getElementById('PngColours').addEventListener('change', () => {
  document.getElementById('PngOtherColours').hidden = document.getElementById('PngColours').value !== 'other';
});
