-- SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
-- SPDX-License-Identifier: BSD-3-Clause
-- Neovim's own LSP client against `vrexctl lsp` on the example site:
-- diagnostics as Neovim lists them after an edit in a buffer, a quick fix
-- Neovim applies, and hover. Run headless; exits 0 when all hold.
--   VREXCTL=... SITE=... nvim --headless -u NONE -i NONE -n -c 'luafile nvim_session.lua'
local failures = {}
local function check(ok, what)
  if not ok then table.insert(failures, what) end
end

local client = vim.lsp.start_client({
  name = 'vrexctl',
  cmd = { os.getenv('VREXCTL'), 'lsp' },
  root_dir = os.getenv('SITE'),
})
local function open(file)
  vim.cmd('edit ' .. os.getenv('SITE') .. '/demo/config/' .. file)
  local buffer = vim.api.nvim_get_current_buf()
  vim.lsp.buf_attach_client(buffer, client)
  return buffer
end
local function line_of(buffer, needle)
  for number, line in ipairs(vim.api.nvim_buf_get_lines(buffer, 0, -1, false)) do
    local column = line:find(needle, 1, true)
    if column then return number - 1, column - 1 end
  end
end
local function request(buffer, method, row, column, extra)
  local params = vim.tbl_extend('force', {
    textDocument = { uri = vim.uri_from_bufnr(buffer) },
    position = { line = row, character = column },
  }, extra or {})
  local answers = vim.lsp.buf_request_sync(buffer, method, params, 10000) or {}
  return (answers[client] or {}).result
end

-- A typo typed into the unsaved buffer: Neovim lists the finding.
local instances = open('instances.xml')
local row, column = line_of(instances, 'device=12,offset=0')
vim.api.nvim_buf_set_text(instances, row, column, row, column + 6, { 'devcie' })
check(vim.wait(15000, function() return #vim.diagnostic.get(instances) > 0 end, 50), 'no diagnostics')
local listed = vim.diagnostic.get(instances)
local typo = listed[1] or {}
check(#listed == 1, 'one diagnostic, got ' .. #listed)
check(typo.code == 'unknown-ref-key', 'code: ' .. tostring(typo.code))
check(typo.severity == vim.diagnostic.severity.WARN, 'severity: ' .. tostring(typo.severity))
check(typo.lnum == row - 1, 'line: ' .. tostring(typo.lnum))
check((typo.message or ''):find("did you mean 'device'", 1, true), 'message: ' .. tostring(typo.message))

-- Its quick fix, applied by Neovim, clears the list.
local actions = vim.lsp.buf_request_sync(instances, 'textDocument/codeAction', {
  textDocument = { uri = vim.uri_from_bufnr(instances) },
  range = { start = { line = typo.lnum or 0, character = 0 }, ['end'] = { line = row, character = 0 } },
  context = { diagnostics = vim.lsp.diagnostic.get_line_diagnostics(instances, typo.lnum or 0) },
}, 10000) or {}
local action = ((actions[client] or {}).result or {})[1]
check(action and action.edit, 'no quick fix')
if action and action.edit then
  vim.lsp.util.apply_workspace_edit(action.edit, 'utf-16')
end
check(vim.api.nvim_buf_get_lines(instances, row, row + 1, false)[1]:find('device=12,offset=0', 1, true),
      'the fix did not restore the key')
check(vim.wait(15000, function() return #vim.diagnostic.get(instances) == 0 end, 50), 'diagnostics stay')

-- Hover on a redirection: the whole chain with the numbers.
local rig = open('complex_instances/CameraRig.xml')
row, column = line_of(rig, 'id="zoom"')
local hover = request(rig, 'textDocument/hover', row, column + 5)
local text = hover and hover.contents and hover.contents.value or ''
check(text:find('cam1.zoom -> lens1.zoom -> servo1.position: device 15, offset 0, slot 1, driver 2', 1, true),
      'hover: ' .. text)
row, column = line_of(rig, 'device="lens1"')
local target = request(rig, 'textDocument/definition', row, column + 9)
check(target and (target.uri or (target[1] or {}).uri or ''):find('instances.xml', 1, true), 'definition')

vim.lsp.stop_client(client)
if #failures > 0 then
  vim.api.nvim_err_writeln('vrexctl lsp in Neovim: ' .. table.concat(failures, '; '))
  vim.cmd('cquit 1')
end
vim.api.nvim_out_write('vrexctl lsp in Neovim: diagnostics, quick fix, hover and definition work\n')
vim.cmd('qall!')
