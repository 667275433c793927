// Reads a Windows release's winget and Scoop manifests.
//   node manifests.js check PACKAGES SCHEMAS
//     every manifest validates against its schema in SCHEMAS (a step left
//     out, and said so, where that folder is absent), all name one version,
//     and every hash is that of the file its URL names in PACKAGES;
//   node manifests.js install PACKAGES user|machine [FOLDER]
//     the arguments winget gives the installer for that scope, in its order;
//   node manifests.js entry PACKAGES
//     the Apps entry winget expects: its key, then NAME=VALUE lines.
'use strict';
const fs = require('fs');
const path = require('path');
const crypto = require('crypto');
const yaml = require('js-yaml');

const [command, packages, ...rest] = process.argv.slice(2);
const fail = (message) => {
    console.log(`FAIL: ${message}`);
    process.exit(1);
};
const wingetFolder = path.join(packages, 'winget');
const winget = fs.readdirSync(wingetFolder).map((name) => {
    // The core schema: "1.00" stays text, and a date is not made a Date.
    const manifest = yaml.load(fs.readFileSync(path.join(wingetFolder, name), 'utf8'), { schema: yaml.CORE_SCHEMA });
    return { name, manifest, schema: `winget-1.12.0/manifest.${manifest.ManifestType}.1.12.0.json` };
});
const installer = winget.find(({ manifest }) => manifest.ManifestType === 'installer').manifest;
const scoop = JSON.parse(fs.readFileSync(path.join(packages, 'scoop', 'tallivox.json'), 'utf8'));

if (command === 'install') {
    const [scope, folder] = rest;
    const { InstallerSwitches: switches } = installer.Installers.find((one) => one.Scope === scope);
    const args = [switches.SilentWithProgress, switches.Custom];
    if (folder)
        args.push(switches.InstallLocation.replace('<INSTALLPATH>', folder));
    console.log(args.join(' '));
} else if (command === 'entry') {
    const [entry] = installer.AppsAndFeaturesEntries;
    console.log([entry.ProductCode, `DisplayName=${entry.DisplayName}`, `Publisher=${entry.Publisher}`].join('\n'));
} else if (command === 'check') {
    const [schemas] = rest;
    const manifests = [...winget, { name: 'tallivox.json', manifest: scoop, schema: 'scoop/schema.json' }];
    let validated = `schemas: skipped, there is no ${schemas}`;
    if (fs.existsSync(schemas)) {
        const Ajv = require('ajv');
        const ajv = new Ajv({ allErrors: true, strict: false });
        require('ajv-formats')(ajv);
        ajv.addFormat('long', { type: 'number', validate: Number.isInteger });
        for (const { name, manifest, schema } of manifests) {
            const validate = ajv.compile(JSON.parse(fs.readFileSync(path.join(schemas, schema), 'utf8')));
            if (!validate(manifest))
                fail(`${name} against ${schema}: ${ajv.errorsText(validate.errors)}`);
        }
        validated = `each valid against its schema in ${schemas}`;
    }
    const versions = new Set(manifests.map(({ manifest }) => manifest.PackageVersion ?? manifest.version));
    if (versions.size !== 1)
        fail(`the manifests name the versions ${[...versions].join(', ')}`);
    const hashed = [
        ...installer.Installers.map((one) => [one.InstallerUrl, one.InstallerSha256]),
        [scoop.architecture['64bit'].url, scoop.architecture['64bit'].hash],
    ];
    for (const [url, hash] of hashed) {
        const file = path.join(packages, path.basename(url));
        if (!fs.existsSync(file))
            fail(`${url} names no file in ${packages}`);
        const actual = crypto.createHash('sha256').update(fs.readFileSync(file)).digest('hex');
        if (actual !== hash.toLowerCase())
            fail(`${path.basename(url)} has SHA-256 ${actual}, the manifest says ${hash}`);
    }
    console.log(`${manifests.length} manifests of version ${[...versions][0]}, ${validated};`,
        `the ${hashed.length} hashes match their files`);
} else {
    fail(`unknown command ${command}`);
}
