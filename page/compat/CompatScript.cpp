#include "page/compat/CompatScript.h"

#include "core/settings/SettingsStore.h"

namespace dw {

namespace {

// The script is kept in pieces so that the explanations stay here and do not travel with every
// page. Each piece checks that the engine lacks the behaviour before it supplies it; an engine
// without WeakMap is old enough to have all of them itself.
const char kScript[] =
    R"js((function(){
var d=document,w=window,P='prototype',S=w.CSSStyleDeclaration,H=w.HTMLElement;
if(!w.WeakMap||!w.Element||!S||!H||!Object.defineProperty)return;
var probe=d.createElement('div'),sd=Object.getOwnPropertyDescriptor(H[P],'style');
if(!sd||!sd.get)return;
var ps=sd.get.call(probe);ps.top='5';ps.color='#ff0000';ps.cursor='hand';
var unitless=ps.top!='',asSet=ps.color=='#ff0000',hand=ps.cursor=='hand',nf=!('filters' in probe);
function def(o,n,g,s){Object.defineProperty(o,n,{get:g,set:s,configurable:true});}
)js"
    // Old engines give the full year from getYear() outside 1900-1999; the page prints it as is.
    R"js(if(new Date(2000,0,1).getYear()!=2000)Date[P].getYear=function(){
var y=this.getFullYear();return y>=1900&&y<2000?y-1900:y;};
)js"
    // The page writes the Scroller panel only when document.all is truthy, then reaches it by name
    // (document.all.menuIn). Current engines keep document.all but make it falsy.
    R"js(if(!d.all&&w.Proxy){
var look=function(n){n=String(n);
if(/^\d+$/.test(n))return d.getElementsByTagName('*')[n]||null;
return d.getElementById(n)||d.getElementsByName(n)[0]||undefined;};
var all=new Proxy(look,{get:function(t,n){if(typeof n!='string')return undefined;
if(n=='length')return d.getElementsByTagName('*').length;
if(n=='item'||n=='namedItem')return look;
if(n=='tags')return function(x){return d.getElementsByTagName(x);};
return look(n);}});
def(d,'all',function(){return all;});}
)js"
    // children.item('qelmor3') finds the child with that id in old engines; current ones read the
    // text as index 0.
    R"js(var C=w.HTMLCollection;
if(C){probe.innerHTML='<i></i><b id=dwq></b>';
if(probe.children.item('dwq')!=probe.lastChild){var it=C[P].item;
C[P].item=function(i){return typeof i=='string'&&i&&isNaN(i)?this.namedItem(i):it.call(this,i);};}}
)js"
    // Element filters (Alpha, Glow, Blur, DropShadow, Shadow) as set in style attributes and
    // style.filter, readable and writable through element.filters as the animations do. They are
    // drawn with CSS opacity and text shadows. Parameters come as "Opacity=80" or "Opacity:80".
    // "cursor:hand" becomes the pointer it meant.
    R"js(var fl=new WeakMap(),seen=new WeakSet(),own=new WeakSet();
var F=/([\w.:]+)\s*\(([^()]*[=:][^()]*)\)/g,DEF={alpha:{opacity:100},glow:{strength:5,color:'#ff0000'},
blur:{strength:5,direction:270},shadow:{strength:4,direction:225,color:'#000000'},dropshadow:{offx:5,offy:5,color:'#000000'}};
function col(c){c=String(c||'#000').replace(/\s/g,'');
var m=/^#?([0-9a-f]{2})([0-9a-f]{6})$/i.exec(c);if(m)c='#'+m[2]+m[1];
return /^[0-9a-f]{6}$/i.test(c)?'#'+c:c;}
function mk(el,n,a){var v={},f={name:n},k;
for(k in DEF[n]||{})v[k]=DEF[n][k];
a.split(',').forEach(function(p){p=p.split(/[=:]/);
if(p.length==2){var x=p[1].trim();v[p[0].trim().toLowerCase()]=x===''||isNaN(x)?x:+x;}});
Object.keys(v).forEach(function(k){def(f,k,function(){return v[k];},function(x){v[k]=x;draw(el);});});
return f;}
function parse(el,t){var out=[],m;F.lastIndex=0;
while((m=F.exec(t)))out.push(mk(el,m[1].split('.').pop().toLowerCase(),m[2]));
return out;}
function draw(el){var s=sd.get.call(el),op='',sh=[];
(fl.get(el)||[]).forEach(function(f){var n=+f.strength||0,c=col(f.color),a=(+f.direction||0)*Math.PI/180,
x=Math.sin(a),y=-Math.cos(a),i;
if(f.name=='alpha')op=Math.max(0,Math.min(100,+f.opacity||0))/100+'';
else if(f.name=='glow'){if(n>0)sh.push('0 0 '+n+'px '+c,'0 0 '+2*n+'px '+c);}
else if(f.name=='dropshadow')sh.push((+f.offx||0)+'px '+(+f.offy||0)+'px 0 '+c);
else if(f.name=='shadow'||f.name=='blur')for(i=1;i<=n;i++)
sh.push(Math.round(x*i)+'px '+Math.round(y*i)+'px 1px '+(f.name=='blur'?'currentColor':c));});
s.setProperty('opacity',op);s.setProperty('text-shadow',sh.join(', '));}
function adopt(el){if(seen.has(el))return;seen.add(el);
var a=el.getAttribute('style')||'',m=/filter\s*:([^;]*)/i.exec(a);
if(nf&&m&&!fl.has(el)){var l=parse(el,m[1]);if(l.length){fl.set(el,l);draw(el);}}
if(!hand&&/cursor\s*:\s*hand/i.test(a))sd.get.call(el).setProperty('cursor','pointer');}
if(nf)def(w.Element[P],'filters',function(){adopt(this);var l=fl.get(this)||[];
return{length:l.length,item:function(i){if(!isNaN(i))return l[i];
i=String(i).split('.').pop().toLowerCase();for(var k=0;k<l.length;k++)if(l[k].name==i)return l[k];}};});
if(nf||!hand)d.addEventListener('DOMContentLoaded',function(){var n=d.querySelectorAll('[style]');
for(var i=0;i<n.length;i++)adopt(n[i]);});
)js"
    // Unitless lengths (style.top=5) are taken by quirks-mode engines; others get "px" added.
    // ColourBlink compares style.color with the "#rrggbb" it set, so the colour reads back as set.
    R"js(function patch(el,s){if(own.has(s))return s;own.add(s);adopt(el);var raw={};
if(nf){def(s,'filter',function(){return raw.f!=null?raw.f:s.getPropertyValue('filter');},function(v){
v=v==null?'':String(v);var l=parse(el,v);
if(l.some(function(f){return DEF[f.name];})){raw.f=v;fl.set(el,l);draw(el);return;}
raw.f=null;if(fl.has(el)){fl.delete(el);draw(el);}s.setProperty('filter',v);});}
if(!asSet)def(s,'color',function(){var now=s.getPropertyValue('color');
return raw.c!=null&&now==raw.n?raw.c:now;},function(v){v=v==null?'':String(v);
s.setProperty('color',/^([0-9a-f]{3}){1,2}$/i.test(v)?'#'+v:v);raw.c=v;raw.n=s.getPropertyValue('color');});
if(!unitless)['top','left','width','height'].forEach(function(n){def(s,n,function(){return s.getPropertyValue(n);},
function(v){v=String(v);s.setProperty(n,v!==''&&!isNaN(v)?v+'px':v);});});
return s;}
if(nf||!asSet||!unitless||!hand)def(H[P],'style',function(){return patch(this,sd.get.call(this));},sd.set);
)js"
    // The Scroller moves itself through pixelLeft.
    R"js(if(!('pixelLeft' in ps))['Left','Top','Width','Height'].forEach(function(n){var p=n.toLowerCase();
def(S[P],'pixel'+n,function(){return parseInt(this.getPropertyValue(p),10)||0;},
function(v){this.setProperty(p,Math.round(+v||0)+'px');});});
)js"
    // The style rule for the Scroller also matches the empty <layer id="menuOut"> kept for
    // layer-based engines; elsewhere it would be drawn as a bare border across the screen.
    R"js(if(!d.layers){var put=function(){var e=d.createElement('style');e.textContent='layer{display:none!important}';
(d.head||d.documentElement).appendChild(e);};
if(d.documentElement)put();else d.addEventListener('DOMContentLoaded',put);}
})();)js";

} // namespace

QString compatScript()
{
    return QString::fromLatin1(kScript);
}

QString compatScriptElement()
{
    QString text = compatScript();
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return QLatin1String("<script>") + text + QLatin1String("</script>");
}

PageOptions browserCompatOptions(bool on)
{
    PageOptions options;
    options.browserCompat = on;
    if (on)
        options.compatScript = compatScriptElement();
    return options;
}

bool browserCompatPreference(const SettingsStore &store)
{
    return preferenceFlag(store, QLatin1String(kBrowserCompatKey), true);
}

bool setBrowserCompatPreference(SettingsStore &store, bool on)
{
    return setPreferenceFlag(store, QLatin1String(kBrowserCompatKey), on);
}

} // namespace dw
