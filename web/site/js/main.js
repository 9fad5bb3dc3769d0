// Loads the module (the session compiled to WebAssembly), builds the page from its tables and
// starts the session. Nothing is fetched after this and nothing is sent anywhere.
import createNibbo from '../nibbo.js';
import { buildPage } from './page.js';

const module = await createNibbo();
const layout = JSON.parse(module.UTF8ToString(module._nibbo_layout()));
const loading = document.getElementById('loading');
const icon = document.createElement('link');
icon.rel = 'icon';
icon.type = 'image/svg+xml';
icon.href = `data:image/svg+xml,${encodeURIComponent(layout.icon)}`;
document.head.append(icon);
module.page = buildPage(layout, module, document.body);
module._nibbo_start();
loading.remove();
performance.mark('nibbo-started');
