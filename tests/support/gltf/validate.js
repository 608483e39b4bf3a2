// Validates one .glb with the Khronos glTF validator and prints its report as JSON.
// Usage: node validate.js FILE.glb
const fs = require('fs');
const validator = require('gltf-validator');

const path = process.argv[2];
validator
  .validateBytes(new Uint8Array(fs.readFileSync(path)), {maxIssues: 100})
  .then((report) => console.log(JSON.stringify(report)))
  .catch((error) => {
    console.error(`${path}: ${error}`);
    process.exit(2);
  });
