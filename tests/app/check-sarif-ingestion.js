// Checks SARIF logs with Microsoft's SARIF multitool (installed by scripts/setup), applying the SARIF
// rules and GitHub code scanning's ingestion rules ("validate --rule-kind Gh;Sarif"):
//   node check-sarif-ingestion.js TOOLS_DIR FILE.sarif...
// Prints each finding. Exits 1 when a log has an error, or a warning that is not one of those the
// README lists with the reason it stays (below, by rule and message).
'use strict';
const childProcess = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');

// The warnings that stay, as README ("SARIF for code-scanning viewers") explains them.
const expectedWarnings = new Map([
  ['SARIF2005/Warning_ProvideToolnformationUri', 'the analyser family has no public web page to name'],
]);

const tools = process.argv[2];
const multitool = path.join(tools, 'node_modules', '@microsoft', 'sarif-multitool-linux', 'Sarif.Multitool');
if (!fs.existsSync(multitool)) {
  console.error(multitool + ' is missing: run scripts/setup');
  process.exit(2);
}

// A finding's text: its message string with the arguments put in.
function text(run, result) {
  if (result.message.text) return result.message.text;
  const rule = (run.tool.driver.rules || []).find((r) => r.id === result.ruleId);
  const template = rule && rule.messageStrings && rule.messageStrings[result.message.id];
  if (!template) return result.message.id;
  return template.text.replace(/\{(\d+)\}/g, (_, i) => (result.message.arguments || [])[Number(i)]);
}

let failed = 0;
for (const file of process.argv.slice(3)) {
  const work = fs.mkdtempSync(path.join(os.tmpdir(), 'sarif-check-'));
  const output = path.join(work, 'findings.sarif');
  // The list option last before the file: this version's parser refuses some options after it.
  const run = childProcess.spawnSync(multitool, ['validate', '-o', output, '--rule-kind', 'Gh;Sarif', file],
                                     { encoding: 'utf8', env: Object.assign({}, process.env, { DOTNET_CLI_TELEMETRY_OPTOUT: '1' }) });
  if (run.status !== 0 || !fs.existsSync(output)) {
    console.log(file + ': the multitool failed (status ' + run.status + ')\n' + run.stdout + run.stderr);
    failed++;
    continue;
  }
  const log = JSON.parse(fs.readFileSync(output, 'utf8').replace(/^\uFEFF/, ''));
  fs.rmSync(work, { recursive: true, force: true });
  const findings = [];
  for (const r of log.runs) {
    for (const result of r.results || []) {
      findings.push({ level: result.level || 'warning', rule: result.ruleId, id: result.message.id, text: text(r, result) });
    }
  }
  const errors = findings.filter((f) => f.level === 'error');
  const warnings = findings.filter((f) => f.level === 'warning');
  const unexpected = warnings.filter((f) => !expectedWarnings.has(f.rule + '/' + f.id));
  console.log(file + ': ' + errors.length + ' errors, ' + warnings.length + ' warnings (' +
              (warnings.length - unexpected.length) + ' of them listed in README), ' +
              (findings.length - errors.length - warnings.length) + ' notes');
  for (const f of findings) {
    const reason = expectedWarnings.get(f.rule + '/' + f.id);
    console.log('  ' + f.level + ' ' + f.rule + ' (' + f.id + ')' + (reason ? ' [stays: ' + reason + ']' : '') + ': ' + f.text);
  }
  if (errors.length > 0 || unexpected.length > 0) failed++;
}
process.exit(failed ? 1 : 0);
