// Validates SARIF logs against the SARIF 2.1.0 JSON schema with ajv, both installed by scripts/setup:
//   node validate-sarif.js TOOLS_DIR FILE.sarif...
// Prints "<file>: valid" or the schema's complaints for each file; exits 1 when one is not valid.
'use strict';
const fs = require('fs');
const path = require('path');

const modules = path.join(process.argv[2], 'node_modules');
const Ajv = require(path.join(modules, 'ajv'));
const draft4 = require(path.join(modules, 'ajv', 'lib', 'refs', 'json-schema-draft-04.json'));
const schema = require(path.join(modules, '@microsoft', 'jest-sarif', 'lib', 'schemas', 'sarif-2.1.0-rtm.5.json'));

// The schema is written in draft 4, which ajv 6 takes as an added meta-schema.
const ajv = new Ajv({ schemaId: 'auto', allErrors: true });
ajv.addMetaSchema(draft4);
const validate = ajv.compile(schema);

let failed = 0;
for (const file of process.argv.slice(3)) {
  const log = JSON.parse(fs.readFileSync(file, 'utf8'));
  if (validate(log)) {
    console.log(file + ': valid');
  } else {
    failed++;
    console.log(file + ': ' + ajv.errorsText(validate.errors, { separator: '\n  ' }));
  }
}
process.exit(failed ? 1 : 0);
