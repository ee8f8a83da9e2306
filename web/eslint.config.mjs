// The page's scripts, the node runner and the page's test, checked as
// clang-tidy checks the C++: ESLint's recommended rules and a few more that
// catch real faults (loose equality, shadowed names, unused values). Run from
// the repository's root: web/node_modules/.bin/eslint -c web/eslint.config.mjs web tests/web
import js from "@eslint/js";
import globals from "globals";

export default [
    { ignores: ["web/node_modules/**", "build/**"] },
    js.configs.recommended,
    {
        languageOptions: { ecmaVersion: 2022, sourceType: "module", globals: globals.browser },
        rules: {
            eqeqeq: "error",
            curly: "error",
            "no-var": "error",
            "prefer-const": "error",
            "no-shadow": "error",
            "no-unused-vars": ["error", { args: "after-used", caughtErrors: "none" }],
            "no-implicit-coercion": "error",
            "no-return-assign": "error",
            "no-promise-executor-return": "error",
            "require-await": "error",
        },
    },
    {
        files: ["web/site/worker.js", "web/site/experiment_worker.js"],
        languageOptions: {
            sourceType: "script",
            globals: { ...globals.worker, createKnapsack: "readonly", InputQueue: "readonly" },
        },
    },
    { files: ["web/site/sw.js"], languageOptions: { sourceType: "script", globals: globals.serviceworker } },
    { files: ["web/*.mjs", "tests/web/*.mjs", "bench/*.mjs"], languageOptions: { globals: globals.node } },
];
