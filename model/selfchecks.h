#pragma once

class NodeDesc;

// The self-checks that follow every load of a description: each setting of a
// category (not the members of its groups, which their group checks) lets
// its self-checked rules shape it, sub-categories before a category's own
// settings, in tree order. The window runs them once its rows are in, since
// a check may hide a row; velmoractl runs them right after loading.
void RunSelfChecks(NodeDesc *root);
