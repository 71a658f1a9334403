// Quenby's page: the form's boxes, built from the form's table, and the commands around the
// preview. Everything the NFO depends on happens in the WebAssembly core: this script only hands
// it what the user types and shows what it returns.
'use strict';

const form = JSON.parse(document.getElementById('QuenbyForm').textContent);
const storageKey = 'quenby.form';
// Dialog units to pixels.
const unitX = 1.8;
const unitY = 2;
// Templates larger than this are refused: every keystroke generates the preview again.
const templateLimit = 1 << 20;
// The tallest canvas the browser draws.
const canvasLimit = 32767;

const $ = (id) => document.getElementById(id);
let core = null;
const controls = [];  // {page, pageName, c, input, button, problem, note}
let picture = {width: 0, height: 0, succeeded: false};
let userTemplates = Object.create(null);  // name -> template text, one character a byte
let renderTimer = 0;
let firstPreview = 0;

// Calls a function of the core with strings as UTF-8 in its memory.
function withText(texts, call) {
  const pointers = texts.map((text) => {
    const size = core.lengthBytesUTF8(text) + 1;
    const pointer = core._malloc(size);
    core.stringToUTF8(text, pointer, size);
    return pointer;
  });
  try {
    return call(...pointers);
  } finally {
    pointers.forEach((pointer) => core._free(pointer));
  }
}
const text = (pointer) => core.UTF8ToString(pointer);

function showStatus(message, isError) {
  $('Status').textContent = message;
  $('Status').className = isError ? 'error' : '';
}

function place(element, at, tall) {
  element.style.left = at[0] * unitX + 'px';
  element.style.top = at[1] * unitY + 'px';
  element.style.width = at[2] * unitX + 'px';
  element.style.height = (tall === undefined ? at[3] : Math.min(at[3], tall)) * unitY + 'px';
  return element;
}

// A label of the dialog; a control's own label names it for screen readers too.
function staticText(className, words, at, control) {
  const label = document.createElement(control ? 'label' : 'div');
  label.className = className;
  label.textContent = words;
  if (control) label.htmlFor = control;
  return place(label, at);
}

function makeControl(page, c) {
  const id = page.name + '-' + c.name;
  let input;
  let box;
  if (c.kind === 'check' || c.kind === 'radio') {
    box = document.createElement('label');
    box.className = 'button';
    input = document.createElement('input');
    input.type = c.kind === 'check' ? 'checkbox' : 'radio';
    if (c.radioGroup) input.name = page.name + '-' + c.radioGroup;
    box.append(input, document.createTextNode(c.caption));
    place(box, c.at);
  } else if (c.kind === 'multiline') {
    box = input = place(document.createElement('textarea'), c.at);
  } else if (c.kind === 'list') {
    box = input = place(document.createElement('select'), c.at, 12);
    for (const choice of c.choices) input.add(new Option(choice));
  } else {
    input = document.createElement('input');
    input.type = 'text';
    input.spellcheck = false;
    box = input;
    if (c.kind === 'combo') {
      box = document.createElement('div');
      box.className = 'combo';
      const list = document.createElement('select');
      list.id = id + '-List';
      list.setAttribute('aria-label', c.name + ' choices');
      // The box sorts without regard to letter case.
      const choices = c.sorted
        ? [...c.choices].sort((a, b) => a.toLowerCase().localeCompare(b.toLowerCase(), 'en'))
        : c.choices;
      list.add(new Option('', ''));
      for (const choice of choices) list.add(new Option(choice));
      list.addEventListener('change', () => {
        if (list.value !== '') input.value = list.value;
        list.value = '';
        textChanged(entry);
      });
      box.append(input, list);
      box.list = list;
    }
    place(box, c.at, 12);
    if (c.kind === 'digits') {
      input.inputMode = 'numeric';
      input.addEventListener('beforeinput', (event) => {
        if (event.data && /[^0-9]/.test(event.data)) event.preventDefault();
      });
    }
  }
  input.id = id;
  const entry = {page: page.id, pageName: page.name, c, input, box, note: null};
  if (c.kind === 'check' || c.kind === 'radio') {
    input.addEventListener('change', () => {
      // Checking a radio button clears the others of its group, in the core as in the page.
      core._quenbySetChecked(page.id, c.id, input.checked ? 1 : 0);
      refreshEnabled();
      changed();
    });
  } else {
    input.addEventListener(c.kind === 'list' ? 'change' : 'input', () => textChanged(entry));
  }
  controls.push(entry);
  return box;
}

function buildForm() {
  for (const page of form.pages) {
    const tab = document.createElement('button');
    tab.type = 'button';
    tab.role = 'tab';
    tab.id = page.name + 'Tab';
    tab.textContent = page.title;
    tab.addEventListener('click', () => showPage(page.name));
    $('Tabs').append(tab);
    const box = document.createElement('div');
    box.className = 'form-page';
    box.id = page.name + 'Page';
    box.role = 'tabpanel';
    let right = 0;
    let bottom = 0;
    for (const c of page.controls) {
      const labelled = c.kind === 'check' || c.kind === 'radio' ? null : page.name + '-' + c.name;
      if (c.group) box.append(staticText('group', c.group, c.groupAt, c.label ? null : labelled));
      if (c.label) box.append(staticText('label', c.label, c.labelAt, labelled));
      box.append(makeControl(page, c));
      if (c.hint) box.append(staticText('hint', c.hint, c.hintAt));
      const tall = c.kind === 'combo' || c.kind === 'list' ? 12 : c.at[3];
      right = Math.max(right, c.at[0] + c.at[2]);
      bottom = Math.max(bottom, c.at[1] + tall);
    }
    box.style.width = (right + 5) * unitX + 'px';
    box.style.height = (bottom + 5) * unitY + 'px';
    $('Pages').append(box);
  }
  showPage(form.pages[0].name);
}

function showPage(name) {
  for (const page of form.pages) {
    $(page.name + 'Page').hidden = page.name !== name;
    $(page.name + 'Tab').setAttribute('aria-selected', page.name === name);
  }
}

function refreshEnabled() {
  for (const entry of controls) {
    const enabled = entry.c.enabledBy.every((id) =>
      controls.some((other) => other.page === entry.page && other.c.id === id && other.input.checked));
    entry.input.disabled = !enabled;
    if (entry.box.list) entry.box.list.disabled = !enabled;
  }
}

// A text box's new text goes to the core; what it refuses is said next to the box, whose text
// stays as typed.
function textChanged(entry) {
  const input = entry.input;
  if (entry.c.lowercase) {
    const lower = withText([input.value], (p) => text(core._quenbyLowerCase(p)));
    if (lower !== input.value) {
      const start = input.selectionStart;
      const end = input.selectionEnd;
      input.value = lower;
      input.setSelectionRange(start, end);
    }
  }
  setProblem(entry, withText([input.value], (p) => text(core._quenbySetText(entry.page, entry.c.id, p))));
  changed();
}

function setProblem(entry, problem) {
  entry.input.classList.toggle('problem', problem !== '');
  if (entry.note) entry.note.remove();
  entry.note = null;
  if (problem !== '') {
    const at = entry.c.at;
    const note = document.createElement('div');
    note.className = 'problem-text';
    note.id = entry.input.id + '-Problem';
    note.textContent = problem;
    note.style.left = at[0] * unitX + 'px';
    note.style.top = (at[1] + Math.min(at[3], 12)) * unitY + 1 + 'px';
    entry.box.parentNode.append(note);
    entry.note = note;
  }
  updateCommands();
}

const problemCount = () => controls.filter((entry) => entry.note).length;

// Every box from the core's form, after a sheet is read or the form is cleared.
function showCoreForm() {
  for (const entry of controls) {
    if (entry.c.kind === 'check' || entry.c.kind === 'radio') {
      entry.input.checked = core._quenbyChecked(entry.page, entry.c.id) === 1;
    } else {
      entry.input.value = text(core._quenbyText(entry.page, entry.c.id)).replace(/\r\n/g, '\n');
    }
    setProblem(entry, '');
  }
  refreshEnabled();
}

function changed() {
  saveForm();
  clearTimeout(renderTimer);
  renderTimer = setTimeout(render, 20);
}

// --- The preview ---

function colours() {
  const both = core._quenbyPictureColours($('DarkCheck').checked ? 1 : 0);
  return {ink: both & 255, paper: (both >> 8) & 255};
}

// Draws count pixel rows of the picture from row first into the context at y.
function paintRows(context, y, first, count) {
  const {ink, paper} = colours();
  const width = picture.width;
  const step = Math.max(1, Math.floor((1 << 22) / width));
  for (let done = 0; done < count; done += step) {
    const rows = Math.min(step, count - done);
    const pointer = core._quenbyPictureRows(first + done, rows);
    if (pointer === 0) throw new Error('Out of memory');
    const source = core.HEAPU8.subarray(pointer, pointer + width * rows);
    const image = context.createImageData(width, rows);
    const pixels = image.data;
    for (let i = 0; i < source.length; ++i) {
      const grey = source[i] ? ink : paper;
      pixels[4 * i] = pixels[4 * i + 1] = pixels[4 * i + 2] = grey;
      pixels[4 * i + 3] = 255;
    }
    context.putImageData(image, 0, y + done);
  }
}

function drawPreview() {
  const box = $('Preview');
  const canvas = $('PreviewCanvas');
  const top = Math.max(0, Math.min(box.scrollTop, picture.height - box.clientHeight));
  const rows = Math.max(0, Math.min(box.clientHeight, picture.height - top));
  canvas.width = picture.width;
  canvas.height = rows;
  canvas.style.top = top + 'px';
  if (rows > 0) paintRows(canvas.getContext('2d'), 0, top, rows);
}

function render() {
  clearTimeout(renderTimer);
  const result = core._quenbyGenerate();
  picture = {width: core._quenbyPictureWidth(), height: core._quenbyPictureHeight(), succeeded: result === 1};
  $('PreviewSpace').style.width = picture.width + 'px';
  $('PreviewSpace').style.height = picture.height + 'px';
  $('Preview').style.width = picture.width + 20 + 'px';
  if (result === -1) showStatus('Out of memory', true);
  // The text as well as its picture, for screen readers and for finding in the page.
  $('PreviewText').textContent = result === -1 ? '' : text(core._quenbyNfoText());
  drawPreview();
  updateCommands();
  refreshGallery();
  editorRendered();
  if (!firstPreview) firstPreview = performance.now();
}

function updateCommands() {
  const usable = picture.succeeded && problemCount() === 0 && !editorBlocksOutput();
  for (const id of ['SaveButton', 'CopyButton', 'PngButton', 'AsciiButton']) $(id).disabled = !usable;
  updateRemoveTemplate();
}

// --- Output ---

function download(blob, name) {
  const link = document.createElement('a');
  link.href = URL.createObjectURL(blob);
  link.download = name;
  document.body.append(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(link.href), 10000);
}

// The file name the title gives, else "release".
function baseName() {
  const title = controls.find((entry) => entry.c.sheetKey === 'general.title').input.value;
  const name = title.replace(/[\\/:*?"<>|\x00-\x1f]+/g, ' ').replace(/\s+/g, ' ').trim();
  return name || 'release';
}

function saveNfo() {
  const pointer = core._quenbyNfoBytes();
  download(new Blob([core.HEAPU8.slice(pointer, pointer + core._quenbyNfoSize())]), baseName() + '.nfo');
}

function copyNfo() {
  const nfo = text(core._quenbyNfoText());
  const put = (event) => {
    event.clipboardData.setData('text/plain', nfo);
    event.preventDefault();
  };
  document.addEventListener('copy', put);
  const copied = document.execCommand('copy');
  document.removeEventListener('copy', put);
  showStatus(copied ? 'Copied to the clipboard.' : 'Failed to copy to clipboard...', !copied);
}

// --- Sheets, templates and what the browser keeps ---

function saveForm() {
  const values = {};
  for (const entry of controls) {
    values[entry.input.id] = entry.input.type === 'checkbox' || entry.input.type === 'radio'
      ? entry.input.checked : entry.input.value;
  }
  storeForm({values, template: $('TemplateSelector').value, dark: $('DarkCheck').checked});
}

function restoreForm() {
  let kept = null;
  try { kept = JSON.parse(localStorage.getItem(storageKey)); } catch (error) { kept = null; }
  restoreOpenedTemplates(kept);
  if (!kept || typeof kept.values !== 'object') return null;
  $('DarkCheck').checked = kept.dark === true;
  for (const entry of controls) {
    const value = kept.values[entry.input.id];
    if (entry.input.type === 'checkbox' || entry.input.type === 'radio') {
      if (typeof value === 'boolean') {
        entry.input.checked = value;
        core._quenbySetChecked(entry.page, entry.c.id, value ? 1 : 0);
      }
    } else if (typeof value === 'string') {
      entry.input.value = value;
      setProblem(entry, withText([value], (p) => text(core._quenbySetText(entry.page, entry.c.id, p))));
    }
  }
  refreshEnabled();
  return kept.template;
}

function fillSelector(chosen) {
  const selector = $('TemplateSelector');
  selector.textContent = '';
  for (const name of text(core._quenbyTemplates()).split('\n').filter((n) => n !== '')) {
    selector.add(new Option(name));
  }
  if (chosen !== undefined) selector.value = chosen;
}

function chooseTemplate(name) {
  if (!editorLetsGo()) return false;
  const problem = withText([name], (p) => text(core._quenbyChooseTemplate(p)));
  if (problem !== '') {
    showStatus('Error loading template...\n' + problem, true);
    return false;
  }
  $('TemplateSelector').value = name;
  render();
  saveForm();
  return true;
}

function addTemplate(name, bytes) {
  const pointer = core._malloc(Math.max(1, bytes.length));
  core.HEAPU8.set(bytes, pointer);
  const problem = withText([name], (p) => text(core._quenbyAddTemplate(p, pointer, bytes.length)));
  core._free(pointer);
  if (problem !== '') return problem;
  let kept = '';
  for (let i = 0; i < bytes.length; i += 8192) kept += String.fromCharCode(...bytes.subarray(i, i + 8192));
  userTemplates[name] = kept;
  return '';
}

async function openTemplates(files) {
  let last = null;
  for (const file of files) {
    const name = file.name.replace(/\.ntf$/i, '');
    if (file.size > templateLimit) {
      showStatus(`${file.name}: too large for a template: ${file.size} bytes, at most ${templateLimit}.`, true);
      continue;
    }
    if (name === '' || /[\\/]/.test(name)) {
      showStatus(`${file.name}: not a usable template name.`, true);
      continue;
    }
    const opened = openedTemplateName(name);
    const problem = addTemplate(opened, new Uint8Array(await file.arrayBuffer()));
    if (problem !== '') {
      showStatus(problem, true);
      continue;
    }
    keepTemplate(opened);
    last = opened;
  }
  if (last !== null) {
    fillSelector($('TemplateSelector').value);
    if (chooseTemplate(last)) showStatus(templateOpenedMessage(last), false);
  }
}

async function openSheet(file) {
  const problems = withText([await file.text(), file.name], (t, n) => text(core._quenbyReadSheet(t, n)));
  if (problems !== '') {
    showStatus(problems.trimEnd(), true);
    return;
  }
  showCoreForm();
  showStatus(`${file.name} opened.`, false);
  changed();
}

function saveSheet() {
  download(new Blob([text(core._quenbySheet())], {type: 'text/plain;charset=utf-8'}), baseName() + '.toml');
}

function clearForm() {
  core._quenbyClearForm();
  showCoreForm();
  showStatus('The form starts again.', false);
  changed();
}

function dropped(event) {
  event.preventDefault();
  $('Drop').hidden = true;
  const files = [...event.dataTransfer.files];
  if (isReleaseDrop(files)) {
    openRelease(files);
    return;
  }
  const sheets = files.filter((file) => /\.toml$/i.test(file.name));
  if (sheets.length > 0) openSheet(sheets[0]);
  const templates = files.filter((file) => !/\.toml$/i.test(file.name));
  if (templates.length > 0) openTemplates(templates);
}

function connect() {
  $('Preview').addEventListener('scroll', drawPreview);
  window.addEventListener('resize', drawPreview);
  $('SaveButton').addEventListener('click', saveNfo);
  $('CopyButton').addEventListener('click', copyNfo);
  $('PngButton').addEventListener('click', savePng);
  $('DarkCheck').addEventListener('change', () => { drawPreview(); refreshGallery(); saveForm(); });
  connectGallery();
  $('TemplateSelector').addEventListener('change', () => chooseTemplate($('TemplateSelector').value));
  $('OpenSheet').addEventListener('click', () => $('SheetFile').click());
  $('OpenTemplate').addEventListener('click', () => $('TemplateFile').click());
  $('SheetFile').addEventListener('change', () => {
    if ($('SheetFile').files.length > 0) openSheet($('SheetFile').files[0]);
    $('SheetFile').value = '';
  });
  $('TemplateFile').addEventListener('change', () => {
    openTemplates([...$('TemplateFile').files]);
    $('TemplateFile').value = '';
  });
  $('SaveSheet').addEventListener('click', saveSheet);
  $('ClearForm').addEventListener('click', clearForm);
  window.addEventListener('dragover', (event) => { event.preventDefault(); $('Drop').hidden = false; });
  window.addEventListener('dragleave', (event) => { if (!event.relatedTarget) $('Drop').hidden = true; });
  window.addEventListener('drop', dropped);
  connectEditor();
  connectRelease();
}

async function start() {
  const wasm = Uint8Array.from(atob(quenbyWasm), (ch) => ch.charCodeAt(0));
  core = await createQuenby({wasmBinary: wasm});
  window.quenbyCore = core;
  buildForm();
  const problem = text(core._quenbyStart());
  if (problem !== '') {
    showStatus(problem, true);
    return;
  }
  connect();
  showCoreForm();
  const chosen = restoreForm();
  fillSelector();
  if (chosen && chosen !== '<Default>' && [...$('TemplateSelector').options].some((o) => o.value === chosen)) {
    chooseTemplate(chosen);
  } else {
    $('TemplateSelector').value = '<Default>';
    render();
  }
  restoreEditor();
  document.body.dataset.ready = 'true';
  window.quenbyFirstPreview = firstPreview;
}

start();
