// Reads a Windows release's winget and Scoop manifests and its bill of materials.
//   node manifests.js check PACKAGES SCHEMAS QT: every manifest and the bill
//     validate against their schemas in SCHEMAS (a step left out, and said so,
//     where that folder is absent), every hash is that of its file, and each
//     library Qt bundles is named with the version its library in QT carries;
//   node manifests.js install PACKAGES user|machine [FOLDER]: the arguments
//     winget gives the installer for that scope, in winget's order;
//   node manifests.js entry PACKAGES: the Apps entry's key, then NAME=VALUEs.
'use strict';
const fs = require('fs');
const path = require('path');
const yaml = require('js-yaml');

const [command, packages, ...rest] = process.argv.slice(2);
const fail = (message) => {
    console.log(`FAIL: ${message}`);
    process.exit(1);
};
const read = (...where) => fs.readFileSync(path.join(packages, ...where), 'utf8');
// The core schema: "1.00" stays text, and a date is not made a Date.
const manifests = fs.readdirSync(path.join(packages, 'winget')).map((name) => {
    const manifest = yaml.load(read('winget', name), { schema: yaml.CORE_SCHEMA });
    const version = manifest.ManifestVersion;
    return { name, manifest, schema: `winget-${version}/manifest.${manifest.ManifestType}.${version}.json` };
});
const installer = manifests.find(({ manifest }) => manifest.ManifestType === 'installer').manifest;
const [scoopName] = fs.readdirSync(path.join(packages, 'scoop'));
const scoop = JSON.parse(read('scoop', scoopName));
manifests.push({ name: scoopName, manifest: scoop, schema: 'scoop/schema.json' });
const bomName = fs.readdirSync(packages).find((name) => name.endsWith('.spdx.json'));
const bom = JSON.parse(read(bomName));
manifests.push({ name: bomName, manifest: bom, schema: 'spdx-2.3/spdx-schema.json' });

if (command === 'install') {
    const [scope, folder] = rest;
    // An installer's own switches over the manifest's, one by one, as winget takes them.
    const own = installer.Installers.find((one) => one.Scope === scope).InstallerSwitches;
    const switches = { ...installer.InstallerSwitches, ...own };
    const location = folder ? [switches.InstallLocation.replace('<INSTALLPATH>', folder)] : [];
    console.log([switches.SilentWithProgress, switches.Custom, ...location].join(' '));
} else if (command === 'entry') {
    const [entry] = installer.AppsAndFeaturesEntries;
    console.log(`${entry.ProductCode}\nDisplayName=${entry.DisplayName}\nPublisher=${entry.Publisher}`);
} else if (command === 'check') {
    const [schemas, qt] = rest;
    let validated = `schemas: skipped, there is no ${schemas}`;
    if (fs.existsSync(schemas)) {
        const ajv = new (require('ajv'))({ allErrors: true, strict: false });
        require('ajv-formats')(ajv);
        ajv.addFormat('long', { type: 'number', validate: Number.isInteger });
        for (const { name, manifest, schema } of manifests) {
            const validate = ajv.compile(JSON.parse(fs.readFileSync(path.join(schemas, schema), 'utf8')));
            if (!validate(manifest))
                fail(`${name} against ${schema}: ${ajv.errorsText(validate.errors)}`);
        }
        validated = `each valid against its schema in ${schemas}`;
    }
    const hashed = installer.Installers.map((one) => [one.InstallerUrl, one.InstallerSha256]);
    hashed.push([scoop.architecture['64bit'].url, scoop.architecture['64bit'].hash]);
    const program = require('child_process').execFileSync('unzip', ['-p', path.join(packages,
        path.basename(scoop.architecture['64bit'].url)), 'tallivox.exe'], { maxBuffer: 1 << 30 });
    for (const one of bom.packages.filter((p) => p.checksums))
        hashed.push([one.packageFileName, one.checksums[0].checksumValue, one.name === 'tallivox.exe' && program]);
    for (const [url, hash, bytes] of hashed) {
        const file = path.join(packages, path.basename(url));
        const content = bytes || (fs.existsSync(file) && fs.readFileSync(file));
        if (!content || require('crypto').createHash('sha256').update(content).digest('hex') !== hash.toLowerCase())
            fail(`${url}: no file in ${packages} has the SHA-256 ${hash}`);
    }
    const bundled = bom.packages.filter((p) => /^Bundled[A-Za-z0-9]+$/.test(p.name));
    for (const { name, versionInfo } of bundled) {
        if (!fs.readFileSync(path.join(qt, 'lib', `libQt6${name}.a`)).includes(versionInfo))
            fail(`${bomName} names ${name} ${versionInfo}, which its library in ${qt} does not carry`);
    }
    console.log(`${manifests.length} manifests, ${validated};`, `the ${hashed.length} hashes match their files;`,
        `${bundled.map((p) => `${p.name} ${p.versionInfo}`).join(', ')} as built into Qt`);
} else {
    fail(`unknown command ${command}`);
}
