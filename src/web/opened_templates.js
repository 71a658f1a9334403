// The templates the user opens. They never replace a shipped template: one that has a shipped
// template's name gets another ("Wide (2)"). Each is kept in the browser's storage under a key of
// its own, written when it is opened and removed when it is removed, never on a keystroke. When
// the storage is full, what it holds stays as it was, and the page says what it could not keep.

const templateKeyPrefix = 'quenby.template.';
// Opened name -> the name it was opened under, when a shipped template has that one.
const renamedTemplates = Object.create(null);
// Templates kept with the form by earlier versions of the page, not yet under keys of their own:
// opened name -> the name in the form's "templates".
const formKeptTemplates = Object.create(null);
let formTemplates = Object.create(null);
let shippedNames = null;
// What the storage could not keep: the form's last changes and each template's name.
const storageNotes = {form: '', templates: Object.create(null)};

const removeTemplateButton = document.createElement('button');
removeTemplateButton.type = 'button';
removeTemplateButton.id = 'RemoveTemplate';
removeTemplateButton.textContent = 'Remove Template';
removeTemplateButton.disabled = true;
removeTemplateButton.addEventListener('click', () => removeTemplate(document.getElementById('TemplateSelector').value));
document.getElementById('TemplateSelector').after(removeTemplateButton);
const storageStatus = document.createElement('div');
storageStatus.id = 'StorageStatus';
storageStatus.role = 'status';
document.getElementById('Status').after(storageStatus);

function isShippedTemplate(name) {
  if (shippedNames === null) {
    shippedNames = new Set(text(core._quenbyShippedTemplates()).split('\n').map((n) => n.toLowerCase()));
  }
  return shippedNames.has(name.toLowerCase());
}

// The name a template opened as name takes: its own, unless a shipped template has it.
function openedTemplateName(name) {
  if (!isShippedTemplate(name)) return name;
  let free = name;
  for (let n = 2; isShippedTemplate(free) || Object.hasOwn(userTemplates, free); ++n) free = `${name} (${n})`;
  renamedTemplates[free] = name;
  return free;
}

function templateOpenedMessage(name) {
  const was = renamedTemplates[name];
  return was === undefined ? `Template ${name} opened.`
    : `Template ${name} opened: ${was} is the name of a shipped template.`;
}

function showStorageNotes() {
  storageStatus.textContent = [storageNotes.form, ...Object.values(storageNotes.templates)].filter((n) => n).join('\n');
}

function tryToStore(key, value) {
  try {
    localStorage.setItem(key, value);
    return true;
  } catch (error) {
    return false;
  }
}

function forget(key) {
  try { localStorage.removeItem(key); } catch (error) { /* no storage */ }
}

// Keeps the opened template name (its bytes are userTemplates[name]) for the next visit.
function keepTemplate(name) {
  const kept = tryToStore(templateKeyPrefix + name, userTemplates[name]);
  if (kept && formKeptTemplates[name] !== undefined) {
    delete formTemplates[formKeptTemplates[name]];  // the form sheds it when it is next stored
    delete formKeptTemplates[name];
  }
  storageNotes.templates[name] = kept ? ''
    : `Template ${name} is open, but the browser's storage is full: this one is not kept for the next visit.`;
  showStorageNotes();
  return kept;
}

// The form's values, chosen template and colours; the templates kept with the form by earlier
// versions stay with it until they have keys of their own.
function storeForm(kept) {
  if (Object.keys(formTemplates).length > 0) kept.templates = formTemplates;
  storageNotes.form = tryToStore(storageKey, JSON.stringify(kept)) ? ''
    : 'The browser\'s storage is full: the form\'s last changes are not kept for the next visit.';
  showStorageNotes();
}

// Opens a kept template again; one whose name a shipped template has now moves to its new name.
function reopenTemplate(name, body, key) {
  const opened = openedTemplateName(name);
  if (addTemplate(opened, Uint8Array.from(body, (ch) => ch.charCodeAt(0))) !== '') return;
  if (opened !== name && tryToStore(templateKeyPrefix + opened, body)) forget(key);
}

// The templates kept for this page, before the form that may have chosen one is restored.
function restoreOpenedTemplates(kept) {
  let keys = [];
  try {
    keys = Object.keys(localStorage).filter((key) => key.startsWith(templateKeyPrefix));
  } catch (error) { /* no storage */ }
  for (const key of keys) reopenTemplate(key.slice(templateKeyPrefix.length), localStorage.getItem(key), key);
  if (!kept || typeof kept.templates !== 'object' || kept.templates === null) return;
  // Earlier versions kept the templates inside the form: each moves to a key of its own, and
  // leaves the form once it is kept there.
  formTemplates = Object.assign(Object.create(null), kept.templates);
  const shed = (name) => {
    delete formTemplates[name];
    kept.templates = formTemplates;
    tryToStore(storageKey, JSON.stringify(kept));
  };
  for (const [name, body] of Object.entries(formTemplates)) {
    // One that has a key of its own already was moved there before: the key holds it.
    if (Object.hasOwn(userTemplates, name)) {
      shed(name);
      continue;
    }
    const opened = openedTemplateName(name);
    if (typeof body !== 'string' || addTemplate(opened, Uint8Array.from(body, (ch) => ch.charCodeAt(0))) !== '') continue;
    if (tryToStore(templateKeyPrefix + opened, body)) shed(name);
    else formKeptTemplates[opened] = name;
  }
}

function removeTemplate(name) {
  const problem = withText([name], (p) => text(core._quenbyRemoveTemplate(p)));
  if (problem !== '') {
    showStatus(problem, true);
    return;
  }
  delete userTemplates[name];
  forget(templateKeyPrefix + name);
  delete storageNotes.templates[name];
  showStorageNotes();
  const keptWithForm = formKeptTemplates[name];
  delete formKeptTemplates[name];
  if (keptWithForm !== undefined) delete formTemplates[keptWithForm];
  const chosen = $('TemplateSelector').value;
  fillSelector(chosen === name ? undefined : chosen);
  if (chosen === name) chooseTemplate('<Default>');
  else if (keptWithForm !== undefined) saveForm();
  showStatus(`Template ${name} removed.`, false);
}

// Only a template the user opened can be removed.
function updateRemoveTemplate() {
  const chosen = document.getElementById('TemplateSelector').value;
  removeTemplateButton.disabled = !Object.hasOwn(userTemplates, chosen);
}
